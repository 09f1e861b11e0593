#pragma once
// The small window shown while the player chooses a new input for one action (template 138).

#include "app/win/dialog.h"

class KeyCaptureDialog : public MappedDialog<KeyCaptureDialog> {
public:
    KeyCaptureDialog();

private:
    friend class MappedDialog<KeyCaptureDialog>;
    static const MessageMap<KeyCaptureDialog> kMessageMap;
};
