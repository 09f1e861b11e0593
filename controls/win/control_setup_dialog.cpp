#include "controls/win/control_setup_dialog.h"

#include "resources/resource_ids.h"

const MessageMap<ControlSetupDialog> ControlSetupDialog::kMessageMap = {
    OnCommand(IDOK, BN_CLICKED, &ControlSetupDialog::Accept),
    OnCommand(IDC_CONTROL_CANCEL, BN_CLICKED, &ControlSetupDialog::Cancel),
    OnMessage(WM_ERASEBKGND, &ControlSetupDialog::EraseWithSkin),
    OnMessage(WM_CTLCOLORBTN, &ControlSetupDialog::ColourControlsForSkin),
    OnMessage(WM_CTLCOLORSTATIC, &ControlSetupDialog::ColourControlsForSkin),
    OnMessage(WM_DRAWITEM, &ControlSetupDialog::DrawButtonWithSkin),
};

ControlSetupDialog::ControlSetupDialog() : MappedDialog(IDD_CONTROL_SETUP) {}

void ControlSetupDialog::Accept() { End(IDOK); }

void ControlSetupDialog::Cancel() { End(IDCANCEL); }
