#pragma once
// The launcher window (template 102): play the game, open the setup dialogs, read the readme,
// register, visit the web sites, install, update or remove the game.

#include "app/win/dialog.h"

class LauncherDialog : public MappedDialog<LauncherDialog> {
public:
    LauncherDialog();

private:
    friend class MappedDialog<LauncherDialog>;
    static const MessageMap<LauncherDialog> kMessageMap;

    void Close();
};
