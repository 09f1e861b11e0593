#pragma once
// The audio setup dialog (template 145): the DirectSound device the game uses, and a test sound.

#include "app/win/dialog.h"

class AudioSetupDialog : public MappedDialog<AudioSetupDialog> {
public:
    AudioSetupDialog();

private:
    friend class MappedDialog<AudioSetupDialog>;
    static const MessageMap<AudioSetupDialog> kMessageMap;

    void Accept();
    void Cancel();
};
