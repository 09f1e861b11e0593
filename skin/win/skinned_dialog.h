#pragma once
// The skin's part of every skinned dialog: the picture as the background, buttons and statics
// drawn transparently over it, owner-drawn buttons as the skin's text. A dialog takes it by
// deriving from MappedDialog<Owner, SkinnedDialog> and ending its map with
// ChainMessageMap<SkinnedDialog>(); an entry of its own for one of these messages, placed before
// the chain, overrides the skin's.

#include "base/win/dialog.h"

class SkinnedDialog : public Dialog {
  public:
    static const MessageMap<SkinnedDialog> kMessageMap;

  protected:
    using Dialog::Dialog;

    // WM_ERASEBKGND with the picture, or with the system's plain background for windows that do
    // not show it; WM_CTLCOLORBTN and WM_CTLCOLORSTATIC; WM_DRAWITEM.
    HandlerResult EraseWithSkin(const Message& message);
    HandlerResult EraseWithoutSkin(const Message& message);
    HandlerResult ColourControlsForSkin(const Message& message);
    HandlerResult DrawButtonWithSkin(const Message& message);
};
