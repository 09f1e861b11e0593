#pragma once
// The control setup dialog (template 137): the keyboard or a game controller, and the nine actions' bindings.

#include "app/win/dialog.h"

class ControlSetupDialog : public MappedDialog<ControlSetupDialog> {
public:
    ControlSetupDialog();

private:
    friend class MappedDialog<ControlSetupDialog>;
    static const MessageMap<ControlSetupDialog> kMessageMap;

    void Accept();
    void Cancel();
};
