#pragma once
// The graphics setup dialog (template 142): the Direct3D adapter, the full-screen mode or a window,
// and two switches. It reads the settings file when it opens and writes its fields on OK.
//
// Direct3D is made, and the two lists filled from it, just after the window's first paint, with
// the tooltips: the dialog shows with its skin at once, and the lists fill a moment later. Until
// they are filled OK is disabled and does nothing, so that nothing is written from half a choice.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/win/tooltips.h"
#include "settings/settings_file.h"
#include "setup/display_modes.h"
#include "setup/win/direct3d8.h"
#include "skin/win/skinned_dialog.h"

class GraphicsSetupDialog : public MappedDialog<GraphicsSetupDialog, SkinnedDialog> {
  public:
    GraphicsSetupDialog();

  private:
    friend class MappedDialog<GraphicsSetupDialog, SkinnedDialog>;
    static const MessageMap<GraphicsSetupDialog> kMessageMap;

    HandlerResult Initialise(const Message& message);
    // After the first paint: the tooltips, then the lists.
    HandlerResult FinishOpening(const Message& message);
    void AddTooltips();
    // Makes Direct3D and fills both lists, pre-selecting the saved choice; ends the dialog with
    // the Direct3D message when it cannot be made.
    void FillLists();
    void DriverChanged();
    void BuildModeList();
    void TakeResolution();
    void SaveGraphicsSettings();
    void Cancel();
    HandlerResult Relabel(const Message& message);
    HandlerResult ColourControls(const Message& message);
    HandlerResult Destroyed(const Message& message);

    void ReadSavedChoice();
    void ListAdapters();
    // The adapter of the driver list's selected entry; nullptr when the list is empty.
    const Direct3DAdapter* SelectedAdapter() const;

    SettingsFile record_;
    // The choice the file remembers; never changed by the player's picks, so that every driver
    // change pre-selects from it again.
    ModeChoice savedMode_ = kUnsavedMode;
    Guid savedAdapter_;
    bool windowedChosen_ = false;
    // The label of the resolution entry last taken, or of the last mode a list build composed.
    std::string modeText_ = "640 x 480 (32z)";
    // The adapters Direct3D reported, every one listed; each entry of the driver list carries
    // the index of its adapter here.
    std::vector<Direct3DAdapter> adapters_;
    // The resolution list's texts as the last build composed them; each entry of the combo box
    // carries the index of its text here.
    std::vector<std::string> modeEntries_;
    Direct3D8 direct3d_;
    bool listsFilled_ = false;
    Tooltips tooltips_;
};
