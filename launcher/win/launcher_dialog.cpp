#include "launcher/win/launcher_dialog.h"

#include "resources/resource_ids.h"

const MessageMap<LauncherDialog> LauncherDialog::kMessageMap = {
    OnCommand(IDC_CLOSE, BN_CLICKED, &LauncherDialog::Close),
    OnCommand(IDCANCEL, BN_CLICKED, &LauncherDialog::Close),
    OnMessage(WM_ERASEBKGND, &LauncherDialog::EraseWithSkin),
    OnMessage(WM_CTLCOLORBTN, &LauncherDialog::ColourControlsForSkin),
    OnMessage(WM_CTLCOLORSTATIC, &LauncherDialog::ColourControlsForSkin),
    OnMessage(WM_DRAWITEM, &LauncherDialog::DrawButtonWithSkin),
};

LauncherDialog::LauncherDialog() : MappedDialog(IDD_LAUNCHER) {}

void LauncherDialog::Close() { End(0); }
