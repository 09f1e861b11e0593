#pragma once
// The graphics setup dialog (template 142): the Direct3D adapter, the full-screen mode or a window, and two switches.

#include "app/win/dialog.h"

class GraphicsSetupDialog : public MappedDialog<GraphicsSetupDialog> {
public:
    GraphicsSetupDialog();

private:
    friend class MappedDialog<GraphicsSetupDialog>;
    static const MessageMap<GraphicsSetupDialog> kMessageMap;

    void Accept();
    void Cancel();
};
