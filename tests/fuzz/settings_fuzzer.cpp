// Feeds arbitrary files to tavrin-settings' reading of them: the decoder, then check and show.
// Nothing may crash or read past the input, and the JSON must be valid UTF-8.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cli/settings_check.h"
#include "cli/settings_show.h"
#include "cli/settings_source.h"
#include "cli/utf8_text.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ShownFile file{kSettingsFileName, size, RecordFromBytes(data, size)};
    // The file's own language, as the tool takes it: the fuzzer reaches all five by its bytes.
    const int language = NamesLanguage(file.record, kNoLanguageChosen);
    const auto problems = CheckSettings(file.record, file.size, language);
    if (size != kSettingsFileSize && problems.empty())
        std::abort();  // a file of another size is always a problem
    const std::string text = ShowText(file, language);
    const std::string json = ShowJson(file, language);
    if (ValidUtf8(text) != text || ValidUtf8(json) != json)
        std::abort();
    return 0;
}
