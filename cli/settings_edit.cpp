#include "cli/settings_edit.h"

#include <array>
#include <charconv>

#include "texts/graphics_texts.h"
#include "texts/key_names.h"
#include "texts/launcher_texts.h"
#include "cli/field_names.h"
#include "cli/input_names.h"
#include "cli/utf8_text.h"
#include "controls/bindings.h"
#include "settings/guid_text.h"
#include "setup/display_modes.h"

namespace {

constexpr std::int32_t kMinimumWidth = 640;
constexpr std::int32_t kMinimumHeight = 480;
// A mode saved without a depth label takes the one most adapters give (D24S8, 24 + 8), which is
// also what the graphics setup remembers before any file supplies one.
constexpr std::int32_t kPreferredDepthBits = kUnsavedMode.depthBits;

bool IsListedBits(std::int32_t bits) {
    return bits == 16 || bits == 24 || bits == 32;
}

// A value of the command line: its text, and the key by which it is compared with names, made
// once where the value enters.
struct Value {
    std::string_view text;
    std::optional<NameKey> name;  // nothing for text that is not valid UTF-8
};

// Whether the value is `localText` in `language` or in English, ignoring case.
bool IsWord(const Value& value, const LocalText& localText, int language) {
    return value.name && (*value.name == NameKeyOfCodePage1252(localText.In(language)) ||
                          *value.name == NameKeyOfCodePage1252(localText.In(kEnglish)));
}

std::optional<std::int32_t> ParseNumber(std::string_view text) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

// "1280x800x32", "1280x800x32x24" (blanks allowed around each "x"), or the graphics setup's own
// label "1280 x 800 x 32 (24z)". The depth label is 0 when not given.
std::optional<ModeChoice> ParseMode(std::string_view text) {
    if (const std::optional<ModeChoice> label = ParseModeLabel(text))
        return label;
    std::vector<std::int32_t> numbers;
    std::string part;
    const auto take = [&] {
        const std::optional<std::int32_t> number = ParseNumber(part);
        part.clear();
        if (!number)
            return false;
        numbers.push_back(*number);
        return true;
    };
    for (char c : text) {
        if (c == ' ')
            continue;
        if (c == 'x' || c == 'X') {
            if (!take())
                return std::nullopt;
        } else {
            part.push_back(c);
        }
    }
    if (!take() || numbers.size() < 3 || numbers.size() > 4)
        return std::nullopt;
    return ModeChoice{numbers[0], numbers[1], numbers[2], numbers.size() == 4 ? numbers[3] : 0};
}

using Refusal = std::optional<std::string>;

// The record being edited, and what the edit has done to it so far.
struct Edit {
    SettingsFile& record;
    int language;
    bool displayChanged = false;
    bool controlsChanged = false;
    // Each binding as the assignments so far leave it when only the named ones change.
    Bindings expectedKeyboard;
    Bindings expectedController;
    // The last of colour= and depth= given, which only a full-screen choice can take.
    const char* modeBitsGiven = nullptr;
};

Refusal SetDisplay(Edit& edit, const Value& value) {
    SettingsFile& record = edit.record;
    edit.displayChanged = true;
    if (IsWord(value, texts::graphics::kWindowed, edit.language)) {
        record.windowed = 1;
        record.displayWidth = record.displayHeight = record.colourBits = record.depthBits = 0;
        return std::nullopt;
    }
    std::optional<ModeChoice> mode = ParseMode(value.text);
    if (!mode)
        return "display: \"" + std::string(value.text) +
               "\" is no display mode; write WxHxC such as " +
               "1280x800x32, WxHxCxD with the depth, or Windowed";
    if (mode->depthBits == 0)
        mode->depthBits = IsListedBits(record.depthBits) ? record.depthBits : kPreferredDepthBits;
    if (mode->width < kMinimumWidth || mode->height < kMinimumHeight)
        return "display: the graphics setup lists no mode smaller than 640 x 480";
    if (mode->width > static_cast<std::int32_t>(kMaxModeSide) ||
        mode->height > static_cast<std::int32_t>(kMaxModeSide))
        return "display: the graphics setup lists no mode that large";
    if (!IsListedBits(mode->colourBits))
        return "display: the colour depth must be 16, 24 or 32 bits";
    if (!IsListedBits(mode->depthBits))
        return "display: the depth must be 16, 24 or 32 bits";
    record.windowed = 0;
    record.displayWidth = mode->width;
    record.displayHeight = mode->height;
    record.colourBits = mode->colourBits;
    record.depthBits = mode->depthBits;
    return std::nullopt;
}

// colour= and depth=: one number of the full-screen mode.
Refusal SetModeBits(Edit& edit, std::string_view value, std::int32_t SettingsFile::*field,
                    const char* name) {
    edit.displayChanged = true;
    edit.modeBitsGiven = name;  // the windowed choice refuses it: see FinishDisplay
    const std::optional<std::int32_t> bits = ParseNumber(value);
    if (!bits || !IsListedBits(*bits))
        return std::string(name) + ": must be 16, 24 or 32";
    edit.record.*field = *bits;
    return std::nullopt;
}

Refusal SetColour(Edit& edit, const Value& value) {
    return SetModeBits(edit, value.text, &SettingsFile::colourBits, "colour");
}

Refusal SetDepth(Edit& edit, const Value& value) {
    return SetModeBits(edit, value.text, &SettingsFile::depthBits, "depth");
}

Refusal SetWindowed(Edit& edit, const Value& value) {
    const std::optional<bool> on = ParseSwitch(value.text);
    if (!on)
        return "windowed: must be on or off";
    edit.displayChanged = true;
    if (*on) {
        return SetDisplay(edit, Value{"Windowed", u"windowed"});
    }
    edit.record.windowed = 0;  // the mode must come with it: see FinishDisplay
    return std::nullopt;
}

Refusal SetSwitch(Edit& edit, std::string_view value, std::int32_t SettingsFile::*field,
                  const char* name) {
    const std::optional<bool> on = ParseSwitch(value);
    if (!on)
        return std::string(name) + ": must be on or off";
    edit.displayChanged = true;
    edit.record.*field = *on ? 1 : 0;
    return std::nullopt;
}

Refusal SetCompatibility(Edit& edit, const Value& value) {
    return SetSwitch(edit, value.text, &SettingsFile::compatibilityMode, "compatibility");
}

Refusal SetHighDetail(Edit& edit, const Value& value) {
    return SetSwitch(edit, value.text, &SettingsFile::highDetail, "highDetail");
}

Refusal SetLanguage(Edit& edit, const Value& value) {
    std::optional<int> number = LanguageFromWord(value.text);
    for (int candidate = 0; !number && candidate < kLanguageCount; ++candidate) {
        if (IsWord(value, texts::launcher::kLanguageNames[candidate], edit.language))
            number = candidate;
    }
    if (!number)
        return "language: must be 0 to 4, en, fr, de, it or es";
    edit.record.language = *number;
    return std::nullopt;
}

// adapter=, sound= and controller=: a GUID, or the word for "none".
Refusal SetDevice(Guid& device, std::string_view value, const char* name, const char* noneWord) {
    if (Simplified(value) == noneWord) {
        device = Guid{};
        return std::nullopt;
    }
    const std::optional<Guid> guid = ParseGuid(value);
    if (!guid)
        return std::string(name) + ": must be a GUID such as " +
               "{01234567-89AB-CDEF-0123-456789ABCDEF}, or " + noneWord;
    device = *guid;
    return std::nullopt;
}

Refusal SetAdapter(Edit& edit, const Value& value) {
    return SetDevice(edit.record.displayAdapter, value.text, "adapter", "none");
}

Refusal SetSound(Edit& edit, const Value& value) {
    return SetDevice(edit.record.soundDevice, value.text, "sound", "default");
}

Refusal SetController(Edit& edit, const Value& value) {
    edit.controlsChanged = true;
    if (IsWord(value, texts::keys::kKeyboard, edit.language)) {
        edit.record.controllerDevice = Guid{};
        return std::nullopt;
    }
    return SetDevice(edit.record.controllerDevice, value.text, "controller", "keyboard");
}

// keyboard.ACTION= and controller.ACTION=: binds as the key capture does, taking the input away
// from any other action of the same set.
Refusal SetBinding(Edit& edit, std::string_view field, SettingsAction action, bool keyboard,
                   const Value& value) {
    std::optional<InputCode> code;
    if (value.name) {
        code = keyboard ? KeyboardCodeNamed(*value.name, edit.language)
                        : ControllerCodeNamed(*value.name, edit.language);
    }
    if (!code) {
        return std::string(field) + ": \"" + std::string(value.text) + "\" names no " +
               (keyboard ? "key; write a name as show prints it, such as Space, Left Ctrl, Z or "
                           "0x3b, or Undefined"
                         : "button or axis; write a name as show prints it, such as Button 03 or "
                           "X Axis, or Undefined");
    }
    const ControlAction controlAction = ControlActionOf(action);
    if (IsAxis(*code) && !IsDirectional(controlAction)) {
        return std::string(field) +
               ": only Left, Right, Forward, Backward, Turn Left and Turn Right take an axis";
    }
    ControlBindings bindings(edit.record);
    bindings.selectedController = keyboard ? 0 : 1;
    bindings.LoadSets();
    bindings.ApplyBinding(bindings.StartCapture(controlAction), *code);
    (keyboard ? edit.expectedKeyboard : edit.expectedController)[static_cast<std::size_t>(action)] =
        *code;
    edit.controlsChanged = true;
    return std::nullopt;
}

struct FieldRule {
    const char* name;  // as Simplified gives it
    Refusal (*set)(Edit&, const Value&);
};

constexpr std::array<FieldRule, 15> kFieldRules = {{
    {"display", SetDisplay},
    {"windowed", SetWindowed},
    {"colour", SetColour},
    {"color", SetColour},
    {"colourbits", SetColour},
    {"depth", SetDepth},
    {"depthbits", SetDepth},
    {"compatibility", SetCompatibility},
    {"compatibilitymode", SetCompatibility},
    {"highdetail", SetHighDetail},
    {"language", SetLanguage},
    {"adapter", SetAdapter},
    {"displayadapter", SetAdapter},
    {"sound", SetSound},
    {"sounddevice", SetSound},
}};

Refusal ApplyOne(Edit& edit, const Assignment& assignment) {
    const std::string name = Simplified(assignment.field);
    const Value value{assignment.value, NameKeyOfUtf8(assignment.value)};
    for (const FieldRule& rule : kFieldRules) {
        if (name == rule.name)
            return rule.set(edit, value);
    }
    if (name == "controller" || name == "controllerdevice")
        return SetController(edit, value);
    for (const bool keyboard : {true, false}) {
        const std::string prefix = keyboard ? "keyboard." : "controller.";
        if (name.rfind(prefix, 0) != 0)
            continue;
        if (const std::optional<SettingsAction> action = ActionWithKey(name.substr(prefix.size())))
            return SetBinding(edit, assignment.field, *action, keyboard, value);
        return assignment.field + ": no such action; the actions are left, right, forward, " +
               "backward, jump, search, tav, turnLeft and turnRight";
    }
    return assignment.field + ": no such field; see tavrin-settings --help";
}

bool HoldsFullScreenMode(const SettingsFile& record) {
    return record.displayWidth >= kMinimumWidth && record.displayHeight >= kMinimumHeight &&
           IsListedBits(record.colourBits);
}

// The display fields are the graphics setup's only while an adapter is saved, and a full-screen
// choice needs a whole mode. An adapter saved where there was none before arrives with the mode
// the graphics setup pre-selects without a saved one, in the parts the file and the assignments
// leave without one.
Refusal FinishDisplay(Edit& edit, const SettingsFile& before) {
    SettingsFile& record = edit.record;
    if (record.displayAdapter.IsZero()) {
        if (!edit.displayChanged)
            return std::nullopt;
        return "no display adapter is saved, and without one the graphics setup and the game take "
               "no display settings from the file: choose the adapter in the graphics setup "
               "first, or give adapter={GUID}";
    }
    if (record.windowed != 0) {
        if (edit.modeBitsGiven == nullptr)
            return std::nullopt;
        return std::string(edit.modeBitsGiven) +
               ": the windowed choice stores no mode; give the whole mode with display=WxHxC";
    }
    if (HoldsFullScreenMode(record))
        return std::nullopt;
    if (before.displayAdapter.IsZero()) {
        if (record.displayWidth < kMinimumWidth || record.displayHeight < kMinimumHeight) {
            record.displayWidth = kUnsavedMode.width;
            record.displayHeight = kUnsavedMode.height;
        }
        if (!IsListedBits(record.colourBits))
            record.colourBits = kUnsavedMode.colourBits;
        if (!IsListedBits(record.depthBits))
            record.depthBits = kUnsavedMode.depthBits;
        return std::nullopt;
    }
    if (edit.displayChanged)
        return "windowed=off needs a full-screen mode: add display=WxHxC";
    return std::nullopt;  // the file's own problem, which this set does not touch
}

void NoteChanges(const Bindings& expected, const Bindings& actual, bool keyboard, int language,
                 std::vector<std::string>& notes) {
    for (const ActionField& field : kActionFields) {
        const auto i = static_cast<std::size_t>(field.action);
        if (expected[i] == actual[i])
            continue;
        notes.push_back(std::string(keyboard ? "keyboard." : "controller.") + field.key + " was " +
                        InputName(expected[i], language) + " and is now " +
                        InputName(actual[i], language));
    }
}

}  // namespace

std::optional<Assignment> ParseAssignment(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return std::nullopt;
    return Assignment{std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

EditOutcome ApplyAssignments(SettingsFile& record, const std::vector<Assignment>& assignments,
                             int language) {
    SettingsFile edited = record;
    Edit edit{edited, language, false, false, record.keyboardBindings, record.controllerBindings};
    for (const Assignment& assignment : assignments) {
        if (Refusal refusal = ApplyOne(edit, assignment))
            return {std::move(refusal), {}};
    }
    if (Refusal refusal = FinishDisplay(edit, record))
        return {std::move(refusal), {}};

    EditOutcome outcome;
    NoteChanges(edit.expectedKeyboard, edited.keyboardBindings, true, language, outcome.notes);
    NoteChanges(edit.expectedController, edited.controllerBindings, false, language, outcome.notes);
    edited.version = kSettingsVersion;
    if (edit.controlsChanged)
        edited.controlsConstant = kControlsConstant;
    record = edited;
    return outcome;
}

void ResetControls(SettingsFile& record) {
    ApplyDefaultBindings(record);
}

SettingsFile FreshSettings(const SettingsFile& old) {
    SettingsFile fresh;
    ApplyDefaultBindings(fresh);
    fresh.language = IsLanguageNumber(old.language) ? old.language : kEnglish;
    return fresh;
}
