#include "skin/win/skinned_dialog.h"

#include <optional>
#include <utility>

#include "base/win/startup_log.h"
#include "skin/win/skin_painting.h"

namespace {

// The start-up log tells when the skin picture is first drawn into a dialog.
bool firstSkinErase = true;

}  // namespace

const MessageMap<SkinnedDialog> SkinnedDialog::kMessageMap = {
    OnMessage(WM_ERASEBKGND, &SkinnedDialog::EraseWithSkin),
    OnMessage(WM_CTLCOLORBTN, &SkinnedDialog::ColourControlsForSkin),
    OnMessage(WM_CTLCOLORSTATIC, &SkinnedDialog::ColourControlsForSkin),
    OnMessage(WM_DRAWITEM, &SkinnedDialog::DrawButtonWithSkin),
};

HandlerResult SkinnedDialog::EraseWithSkin(const Message& message) {
    std::optional<StartupStep> step;
    if (std::exchange(firstSkinErase, false))
        step.emplace("skin drawn");
    return DrawSkinBackground(Window(), reinterpret_cast<HDC>(message.wParam));
}

HandlerResult SkinnedDialog::EraseWithoutSkin(const Message& message) {
    return EraseWithSystemBrush(reinterpret_cast<HDC>(message.wParam));
}

HandlerResult SkinnedDialog::ColourControlsForSkin(const Message& message) {
    const HBRUSH brush =
        SkinControlColor(reinterpret_cast<HDC>(message.wParam), ControlTypeOf(message.id));
    if (brush == nullptr)
        return std::nullopt;
    return reinterpret_cast<INT_PTR>(brush);
}

HandlerResult SkinnedDialog::DrawButtonWithSkin(const Message& message) {
    DrawSkinButton(Window(), *reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam));
    return TRUE;
}
