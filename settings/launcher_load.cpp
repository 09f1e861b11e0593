#include "settings/launcher_load.h"

#include "texts/local_text.h"

std::optional<int> StoredLanguage(std::int32_t value) {
    if (!IsLanguageNumber(value))
        return std::nullopt;
    return value;
}

LauncherLoadOutcome LauncherLoad(const LauncherFiles& files, int currentLanguage,
                                 SettingsFile& record) {
    LauncherLoadOutcome outcome;
    outcome.language = currentLanguage;
    if (files.temporaryLanguage) {
        outcome.language = StoredLanguage(*files.temporaryLanguage).value_or(outcome.language);
    }
    if (!files.installKeyOpens)
        return outcome;

    if (files.settings) {
        OverlaySettings(record, files.settings->data(), files.settings->size());
        if (ReadPassesVersionTest(record, files.settings->size())) {
            outcome.deleteTemporaryLanguageFile = true;
            outcome.language = StoredLanguage(record.language).value_or(outcome.language);
            return outcome;
        }
        outcome.reportOutOfDate = true;
    }
    record = SettingsFile{};
    ApplyDefaultBindings(record);
    return outcome;
}

std::optional<int> RepaintLanguage(const std::vector<std::uint8_t>& bytes) {
    SettingsFile scratch;
    OverlaySettings(scratch, bytes.data(), bytes.size());
    if (!ReadPassesVersionTest(scratch, bytes.size()))
        return std::nullopt;
    return StoredLanguage(scratch.language);
}
