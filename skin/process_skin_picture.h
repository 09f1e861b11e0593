#pragma once
// The skin picture of the process: loaded at start-up for the one window that runs, released when
// it has closed. Painting asks for it at the display's DPI; a picture scaled for that DPI is made
// the first time and kept, so that every later paint only hands pixels to the display.

#include <optional>
#include <string>

#include "skin/skin_picture.h"
#include "skin/skin_scaling.h"

class ProcessSkinPicture {
  public:
    // Loads a BMP file; a file that cannot be loaded leaves no picture (LoadSkinPicture).
    void Load(const std::string& path);
    void Release();
    bool Loaded() const { return loaded_.Loaded(); }

    // The picture for a display of `dpi`: as loaded at 96 DPI, else scaled (ScaleSkinPicture).
    // A picture too large to scale in memory is drawn as loaded. The answer stays valid until
    // the next call with another DPI, or Load or Release.
    const SkinPicture& AtDpi(int dpi);

  private:
    SkinPicture loaded_;
    int scaledDpi_ = kSkinPictureDpi;
    std::optional<SkinPicture> scaled_;  // none: drawn as loaded
};

extern ProcessSkinPicture skinPicture;
