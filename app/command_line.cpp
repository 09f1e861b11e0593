#include "app/command_line.h"

#include <climits>
#include <cstring>

#include "texts/local_text.h"

namespace {

struct ModeWord {
    const char* word;
    SetupMode mode;
    const char* skinPicture;
};

constexpr ModeWord kModeWords[] = {
    {"sound", SetupMode::Sound, "Config files\\abg.sar"},
    {"graphics", SetupMode::Graphics, "Config files\\vbg.sar"},
    {"control", SetupMode::Control, "Config files\\cbg.sar"},
};

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

int ParseDecimal(const char* text) {
    while (IsBlank(*text))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT_MAX)
            value = INT_MAX + 1LL;  // saturated: stays out of int range
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int LanguageFromNumber(int number) {
    return IsLanguageNumber(number) ? number : kEnglish;
}

StartRequest ParseCommandLine(int argc, const char* const* argv) {
    StartRequest request;
    if (argc < 3) {
        request.kind = StartRequest::Kind::StartLauncher;
        return request;
    }
    request.language = LanguageFromNumber(ParseDecimal(argv[2]));
    for (const ModeWord& mode : kModeWords) {
        if (std::strcmp(argv[1], mode.word) == 0) {
            request.kind = StartRequest::Kind::RunSetupDialog;
            request.mode = mode.mode;
            return request;
        }
    }
    return request;
}

std::string SkinPicturePath(const std::string& installFolder, SetupMode mode) {
    const char* picture = "";
    for (const ModeWord& word : kModeWords) {
        if (word.mode == mode)
            picture = word.skinPicture;
    }
    if (installFolder.empty())
        return picture;
    return installFolder + "\\" + picture;
}

std::optional<std::string> LauncherProgramPath(const InstallFolder& folder) {
    switch (folder.state) {
        case InstallFolderState::KeyMissing:
            return "TavrinConfig.exe";
        case InstallFolderState::Found:
            return folder.path + "\\TavrinConfig.exe";
        case InstallFolderState::ValueMissing:
            break;
    }
    return std::nullopt;
}
