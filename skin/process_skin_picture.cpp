#include "skin/process_skin_picture.h"

#include <new>

ProcessSkinPicture skinPicture;

void ProcessSkinPicture::Load(const std::string& path) {
    Release();
    loaded_ = LoadSkinPicture(path);
}

void ProcessSkinPicture::Release() {
    loaded_ = SkinPicture{};
    scaled_.reset();
    scaledDpi_ = kSkinPictureDpi;
}

const SkinPicture& ProcessSkinPicture::AtDpi(int dpi) {
    if (dpi != scaledDpi_) {
        scaledDpi_ = dpi;
        scaled_.reset();  // the old copy goes before the new one is made
        try {
            scaled_ = ScaleSkinPicture(loaded_, dpi);
        } catch (const std::bad_alloc&) {
            // Too large for the memory left: the window shows the picture as loaded.
        }
    }
    return scaled_ ? *scaled_ : loaded_;
}
