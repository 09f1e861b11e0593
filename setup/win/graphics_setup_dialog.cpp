#include "setup/win/graphics_setup_dialog.h"

#include "resources/resource_ids.h"

const MessageMap<GraphicsSetupDialog> GraphicsSetupDialog::kMessageMap = {
    OnCommand(IDOK, BN_CLICKED, &GraphicsSetupDialog::Accept),
    OnCommand(IDCANCEL, BN_CLICKED, &GraphicsSetupDialog::Cancel),
    OnMessage(WM_ERASEBKGND, &GraphicsSetupDialog::EraseWithSkin),
    OnMessage(WM_CTLCOLORBTN, &GraphicsSetupDialog::ColourControlsForSkin),
    OnMessage(WM_CTLCOLORSTATIC, &GraphicsSetupDialog::ColourControlsForSkin),
    OnMessage(WM_DRAWITEM, &GraphicsSetupDialog::DrawButtonWithSkin),
};

GraphicsSetupDialog::GraphicsSetupDialog() : MappedDialog(IDD_GRAPHICS_SETUP) {}

void GraphicsSetupDialog::Accept() { End(IDOK); }

void GraphicsSetupDialog::Cancel() { End(IDCANCEL); }
