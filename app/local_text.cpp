#include "app/local_text.h"

namespace {

int currentLanguage = kEnglish;

}  // namespace

int CurrentLanguage() {
    return currentLanguage;
}

bool SetCurrentLanguage(int language) {
    if (!IsLanguageNumber(language))
        return false;
    currentLanguage = language;
    return true;
}

const char* Localise(const LocalText& text) {
    return text.In(currentLanguage);
}
