// Compile-time checks over the text tables. Being part of the build, this file also makes every
// compiler of the project (g++, clang, MinGW, MSVC) convert every table to code page 1252.

#include <cstddef>

#include "texts/audio_texts.h"
#include "texts/control_texts.h"
#include "texts/graphics_texts.h"
#include "texts/key_names.h"
#include "texts/launcher_texts.h"
#include "texts/local_text.h"
#include "texts/messages.h"

namespace {

constexpr std::size_t Length(const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

constexpr std::size_t LongestText(const LocalText& text) {
    std::size_t longest = 0;
    for (int language = 0; language < kLanguageCount; ++language) {
        const std::size_t length = Length(text.In(language));
        if (length > longest)
            longest = length;
    }
    return longest;
}

// The controls setup composes every binding name in a buffer of 19 characters and a terminator.
constexpr std::size_t kNameCapacity = 19;

constexpr bool KeyNamesFit() {
    for (const texts::keys::KeyName& key : texts::keys::KeyNameTable) {
        if (LongestText(key.name) > kNameCapacity)
            return false;
    }
    for (const LocalText& axis : texts::keys::kAxisNames) {
        if (LongestText(axis) > kNameCapacity)
            return false;
    }
    return LongestText(texts::keys::kUndefined) <= kNameCapacity;
}
static_assert(KeyNamesFit(), "a key or axis name is longer than the name buffer");

// "%s %02d": the button word, a blank and two digits.
static_assert(LongestText(texts::keys::kButtonWord) + 3 <= kNameCapacity,
              "the button word leaves no room for its number");

// The lookup stops at the first match; a scan code listed twice would hide its second name.
constexpr bool ScanCodesAscend() {
    for (std::size_t i = 1; i < texts::keys::KeyNameTable.size(); ++i) {
        if (texts::keys::KeyNameTable[i - 1].scanCode >= texts::keys::KeyNameTable[i].scanCode) {
            return false;
        }
    }
    return true;
}
static_assert(ScanCodesAscend(), "key names must be listed once each, by ascending scan code");

}  // namespace
