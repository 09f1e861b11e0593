#include "texts/system_language.h"

#include "texts/local_text.h"

namespace {

// Primary language identifiers (the low 10 bits of a LANGID).
constexpr std::uint16_t kPrimaryFrench = 0x0C;
constexpr std::uint16_t kPrimaryGerman = 0x07;
constexpr std::uint16_t kPrimaryItalian = 0x10;
constexpr std::uint16_t kPrimarySpanish = 0x0A;

}  // namespace

int LanguageFromLangId(std::uint16_t langId) {
    switch (langId & 0x3FF) {
        case kPrimaryFrench:
            return kFrench;
        case kPrimaryGerman:
            return kGerman;
        case kPrimaryItalian:
            return kItalian;
        case kPrimarySpanish:
            return kSpanish;
        default:
            return kEnglish;
    }
}
