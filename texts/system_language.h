#pragma once
// The interface language that matches the user's default language of the system, by its primary
// language alone: Swiss German is German, Brazilian Portuguese (no interface of its own) English.

#include <cstdint>

int LanguageFromLangId(std::uint16_t langId);
