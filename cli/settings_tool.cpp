#include "cli/settings_tool.h"

#include <optional>

#include "cli/platform.h"
#include "cli/settings_check.h"
#include "cli/settings_edit.h"
#include "cli/settings_show.h"
#include "cli/settings_source.h"
#include "cli/tool_arguments.h"
#include "cli/utf8_text.h"
#include "settings/settings_file.h"

namespace {

// Where the command works, and what to say when there is no file there.
struct Location {
    std::string path;
    std::string missing;  // UTF-8
};

class Tool {
  public:
    Tool(const ToolRequest& request, std::string& out, std::string& err)
        : request_(request), out_(out), err_(err) {}

    int Run() {
        switch (request_.command) {
            case ToolCommand::Help:
                out_ += HelpText();
                return kExitDone;
            case ToolCommand::Show:
                return Show();
            case ToolCommand::Check:
                return Check();
            case ToolCommand::Set:
                return Set();
            case ToolCommand::Reset:
                return Reset();
        }
        return kExitRefused;
    }

  private:
    std::string PathText() const { return ValidUtf8(location_.path); }

    void Error(const std::string& text) { err_ += "tavrin-settings: " + text + "\n"; }

    // Reads the file; reports it and answers false when it cannot be read, or does not exist
    // and `missingIsAcceptable` is false.
    bool Read(bool missingIsAcceptable = false) {
        Locate();
        switch (read_.outcome) {
            case SettingsFileRead::Outcome::Read:
                break;
            case SettingsFileRead::Outcome::Missing:
                if (missingIsAcceptable)
                    return true;
                Error(location_.missing);
                return false;
            case SettingsFileRead::Outcome::Unreadable:
                Error(PathText() + " is there but cannot be read: " + read_.why +
                      "; nothing was done");
                return false;
        }
        shown_ = {PathText(), read_.size,
                  RecordFromBytes(read_.leadingBytes.data(), read_.leadingBytes.size())};
        return true;
    }

    // Reads FILE when given; else tavrin.dat in the current folder when it is there, readable or
    // not, else the install folder's when the system names one, which is also where a new file
    // goes.
    void Locate() {
        if (request_.file) {
            location_ = {*request_.file, ValidUtf8(*request_.file) + " does not exist"};
            read_ = ReadSettingsFile(location_.path);
            return;
        }
        const std::string here =
            std::string("there is no ") + kSettingsFileName + " in the current folder";
        location_ = {kSettingsFileName, here};
        read_ = ReadSettingsFile(location_.path);
        if (read_.outcome != SettingsFileRead::Outcome::Missing)
            return;
        if (const std::optional<std::string> installed = InstallFolderSettingsPath()) {
            location_ = {*installed, here + ", nor " + ValidUtf8(*installed)};
            read_ = ReadSettingsFile(location_.path);
        }
    }

    bool Exists() const { return read_.outcome == SettingsFileRead::Outcome::Read; }

    int Language() const {
        return NamesLanguage(shown_.record, request_.language.value_or(kNoLanguageChosen));
    }

    // set and reset controls change a settings file, never some other file of another size.
    bool RefuseOtherSize() {
        if (!Exists() || read_.size == kSettingsFileSize)
            return false;
        Error(PathText() + " has " + std::to_string(read_.size) + " bytes instead of " +
              std::to_string(kSettingsFileSize) +
              ", so it is left alone; \"reset all\" replaces it with a fresh one");
        return true;
    }

    int Write(const SettingsFile& record) {
        std::string why;
        switch (ReplaceSettingsFile(location_.path, EncodeSettings(record), why)) {
            case WriteOutcome::Written:
                return kExitDone;
            case WriteOutcome::NotWritten:
                Error("cannot write " + PathText() + ": " + why + "; it is as it was");
                break;
            case WriteOutcome::PartlyWritten:
                Error("cannot write " + PathText() + ": " + why +
                      "; the write stopped part-way, so the file may be damaged now: run the "
                      "command again, or \"reset all\"");
                break;
        }
        return kExitNotWritten;
    }

    int Show() {
        if (!Read())
            return kExitNotRead;
        out_ += request_.json ? ShowJson(shown_, Language()) : ShowText(shown_, Language());
        return kExitDone;
    }

    int Check() {
        if (!Read())
            return kExitNotRead;
        const std::vector<SettingsProblem> problems =
            CheckSettings(shown_.record, shown_.size, Language());
        for (const SettingsProblem& problem : problems)
            out_ += problem.text + "\n";
        if (!problems.empty())
            return kExitProblemsFound;
        out_ += PathText() + ": no problem found\n";
        return kExitDone;
    }

    int Set() {
        if (!Read())
            return kExitNotRead;
        if (RefuseOtherSize())
            return kExitNotRead;
        SettingsFile record = shown_.record;
        const EditOutcome outcome = ApplyAssignments(record, request_.assignments, Language());
        if (outcome.refusal) {
            Error(*outcome.refusal + "; nothing was written");
            return kExitRefused;
        }
        const int written = Write(record);
        if (written == kExitDone) {
            for (const std::string& note : outcome.notes)
                out_ += note + "\n";
        }
        return written;
    }

    int Reset() {
        // Only reset all makes a file where there is none: a mistyped FILE leaves no stray file.
        if (!Read(request_.scope == ResetScope::All))
            return kExitNotRead;
        if (request_.scope == ResetScope::All)
            return Write(FreshSettings(shown_.record));
        if (RefuseOtherSize())
            return kExitNotRead;
        SettingsFile record = shown_.record;
        ResetControls(record);
        return Write(record);
    }

    const ToolRequest& request_;
    std::string& out_;
    std::string& err_;
    Location location_;
    SettingsFileRead read_;
    ShownFile shown_;
};

}  // namespace

int RunSettingsTool(const std::vector<std::string>& arguments, std::string& out, std::string& err) {
    const ParsedArguments parsed = ParseToolArguments(arguments);
    if (!parsed.request) {
        err += "tavrin-settings: " + parsed.refusal + "; see tavrin-settings --help\n";
        return kExitRefused;
    }
    return Tool(*parsed.request, out, err).Run();
}

std::string HelpText() {
    return std::string(R"help(Usage: tavrin-settings [OPTIONS] COMMAND [FILE] [ARGUMENTS...]

Shows, checks and changes tavrin.dat, the 172-byte settings file of Tavrin that
the setup dialogs write and the game reads.

Commands:
  show [FILE]                  every setting in words
  check [FILE]                 one line per problem that keeps the dialogs or the
                               game from reading the file as intended
  set [FILE] FIELD=VALUE...    changes the fields named, all or none; every
                               other byte of the file stays as it was
  reset [FILE] controls        both binding sets to the control setup's defaults
  reset [FILE] all             a fresh file: the binding defaults, no saved sound
                               device, display adapter, mode or controller, both
                               switches off; the language is kept. Also replaces
                               a damaged file, and creates a missing one.

Without FILE the file is tavrin.dat in the current folder, or else tavrin.dat in
the game's install folder, as the registry names it on Windows.

Options:
  --json                show prints one JSON object (keys below)
  --language L          names of actions, keys and buttons in language L: 0 to 4
                        or en, fr, de, it, es (default: the file's language)
  --help                this text

Fields of set (names in any case; "-" and "_" are ignored):
  display=WxHxC         a full-screen mode, e.g. 1280x800x32; WxHxCxD gives the
                        depth too (16, 24 or 32; else the file's, or 32); the
                        graphics setup's own "1280 x 800 x 32 (24z)" works too
  display=Windowed      the windowed choice; the same as windowed=on
  windowed=on|off       off needs a mode: give display= with it
  colour=16|24|32       colour bits of the full-screen mode
  depth=16|24|32        depth bits of the full-screen mode
  compatibility=on|off  the graphics setup's Compatibility Mode
  highDetail=on|off     the graphics setup's High Detail
  adapter=GUID|none     the display adapter; the display fields above take
                        effect only while one is saved. A file without a
                        full-screen mode gets 640x480x32 (depth 32) with its
                        first adapter, as the graphics setup pre-selects it
  sound=GUID|default    the sound device
  controller=GUID|keyboard
  language=0-4|en|fr|de|it|es
  keyboard.ACTION=KEY   KEY as show prints it: Space, Left Ctrl, Z, 0x3b, ...
  controller.ACTION=IN  IN as show prints it: Button 03, X Axis, ...
                        ACTION: left, right, forward, backward, jump, search, tav,
                        turnLeft, turnRight. Undefined unbinds. Binding an input
                        takes it away from any other action of the same set, and
                        an axis always goes to both of a pair (left and right,
                        forward and backward, turnLeft and turnRight), as the
                        control setup does.
Names are taken in the language of the names (see --language) or in English.
Keys without a name of their own go by the character they type on
)help") + KeyboardLayoutDescription() +
           R"help(.

JSON keys of show --json:
  file, fileSize, version ("2.1"), versionCurrent, language, languageName (null
  for no language), soundDevice, displayAdapter, controllerDevice (GUIDs; null
  for the default device, no adapter, the keyboard), displayMode (as the
  graphics setup labels it, or its Windowed entry; null while no adapter is
  saved), windowed, displayWidth, displayHeight, colourBits, depthBits,
  compatibilityMode, highDetail, keyboardBindings and controllerBindings (each
  an object of the nine actions above, each {"code": N, "name": TEXT}),
  controlsConstant. Texts are UTF-8.

Exit status:
  0  done; for check: no problem found
  1  check found problems
  2  the command line was refused: an unknown command or option, or a field
     or value set does not take; nothing was written
  3  the settings file does not exist or cannot be read; or set or reset
     controls was given a file that is not 172 bytes long
  4  the settings file could not be written; the message says whether it is
     as it was
)help";
}
