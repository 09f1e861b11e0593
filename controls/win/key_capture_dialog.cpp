#include "controls/win/key_capture_dialog.h"

#include "resources/resource_ids.h"

const MessageMap<KeyCaptureDialog> KeyCaptureDialog::kMessageMap = {
    OnMessage(WM_ERASEBKGND, &KeyCaptureDialog::EraseWithoutSkin),
    OnMessage(WM_CTLCOLORBTN, &KeyCaptureDialog::ColourControlsForSkin),
    OnMessage(WM_CTLCOLORSTATIC, &KeyCaptureDialog::ColourControlsForSkin),
    OnMessage(WM_DRAWITEM, &KeyCaptureDialog::DrawButtonWithSkin),
};

KeyCaptureDialog::KeyCaptureDialog() : MappedDialog(IDD_KEY_CAPTURE) {}
