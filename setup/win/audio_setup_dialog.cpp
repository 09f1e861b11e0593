#include "setup/win/audio_setup_dialog.h"

#include "resources/resource_ids.h"

const MessageMap<AudioSetupDialog> AudioSetupDialog::kMessageMap = {
    OnCommand(IDOK, BN_CLICKED, &AudioSetupDialog::Accept),
    OnCommand(IDCANCEL, BN_CLICKED, &AudioSetupDialog::Cancel),
    OnMessage(WM_ERASEBKGND, &AudioSetupDialog::EraseWithSkin),
    OnMessage(WM_CTLCOLORBTN, &AudioSetupDialog::ColourControlsForSkin),
    OnMessage(WM_CTLCOLORSTATIC, &AudioSetupDialog::ColourControlsForSkin),
    OnMessage(WM_DRAWITEM, &AudioSetupDialog::DrawButtonWithSkin),
};

AudioSetupDialog::AudioSetupDialog() : MappedDialog(IDD_AUDIO_SETUP) {}

void AudioSetupDialog::Accept() { End(IDOK); }

void AudioSetupDialog::Cancel() { End(IDCANCEL); }
