#include "cli/settings_check.h"

#include <algorithm>
#include <optional>

#include "cli/field_names.h"
#include "cli/input_names.h"
#include "cli/settings_show.h"
#include "cli/utf8_text.h"
#include "controls/control_actions.h"

namespace {

constexpr std::int32_t kMinimumWidth = 640;
constexpr std::int32_t kMinimumHeight = 480;

bool IsListedColourDepth(std::int32_t bits) {
    return bits == 16 || bits == 24 || bits == 32;
}

// "Left", "Left and Right", "Left, Right and Jump".
std::string ListOfNames(const std::vector<std::string>& names) {
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            list += i + 1 == names.size() ? " and " : ", ";
        list += names[i];
    }
    return list;
}

class BindingChecker {
  public:
    BindingChecker(const Bindings& bindings, bool keyboard, int language,
                   std::vector<SettingsProblem>& problems)
        : bindings_(bindings),
          keyboard_(keyboard),
          language_(language),
          set_(keyboard ? "keyboard" : "controller"),
          problems_(problems) {}

    void Check() {
        for (std::size_t i = 0; i < bindings_.size(); ++i)
            CheckCode(static_cast<SettingsAction>(i));
        CheckSharedInputs();
    }

  private:
    std::string ActionName(SettingsAction action) const {
        return Utf8FromCodePage1252(
            kActionFields[static_cast<std::size_t>(action)].label->In(language_));
    }
    InputCode CodeOf(SettingsAction action) const {
        return bindings_[static_cast<std::size_t>(action)];
    }
    std::string ActionSubject(SettingsAction action) const {
        return set_ + "." + kActionFields[static_cast<std::size_t>(action)].key;
    }
    std::string InputSubject(InputCode code) const {
        return set_ + " input " + std::to_string(code);
    }

    void CheckCode(SettingsAction action) {
        const InputCode code = CodeOf(action);
        if (code == kUnbound)
            return;
        const bool valid = keyboard_ ? NamesAKey(code) : NamesAButtonOrAxis(code);
        if (!valid) {
            problems_.push_back(
                {ActionSubject(action), set_ + " binding of " + ActionName(action) + " is " +
                                            std::to_string(code) + ", which names no " +
                                            (keyboard_ ? "key" : "button or axis")});
        } else if (IsAxis(code) && !IsDirectional(ControlActionOf(action))) {
            problems_.push_back({ActionSubject(action),
                                 set_ + ": " + ActionName(action) + " is bound to " +
                                     InputName(code, language_) +
                                     ", but only Left, Right, Forward, Backward, Turn Left and "
                                     "Turn Right take an axis"});
        }
    }

    // One input, one action; but an axis belongs to both halves of a pair at once.
    void CheckSharedInputs() {
        std::vector<InputCode> reported;
        for (std::size_t i = 0; i < bindings_.size(); ++i) {
            const InputCode code = bindings_[i];
            if (code == kUnbound ||
                std::find(reported.begin(), reported.end(), code) != reported.end())
                continue;
            reported.push_back(code);

            std::vector<SettingsAction> holders;
            for (std::size_t j = 0; j < bindings_.size(); ++j) {
                if (bindings_[j] == code)
                    holders.push_back(static_cast<SettingsAction>(j));
            }
            if (!keyboard_ && IsAxis(code)) {
                CheckAxisHolders(code, holders);
            } else if (holders.size() > 1) {
                ReportShared(code, holders);
            }
        }
    }

    // The actions that take no axis are reported already; of the others, exactly one pair may
    // hold the axis.
    void CheckAxisHolders(InputCode code, const std::vector<SettingsAction>& holders) {
        std::vector<SettingsAction> steering;
        for (SettingsAction action : holders) {
            if (IsDirectional(ControlActionOf(action)))
                steering.push_back(action);
        }
        if (steering.empty())
            return;
        const ControlAction partner = *PartnerOf(ControlActionOf(steering.front()));
        if (steering.size() == 1) {
            problems_.push_back(
                {InputSubject(code), set_ + ": " + InputName(code, language_) + " is bound to " +
                                         ActionName(steering.front()) + " but not to " +
                                         ActionName(FileActionOf(partner)) +
                                         "; an axis always steers both of a pair"});
        } else if (steering.size() > 2 || ControlActionOf(steering.back()) != partner) {
            ReportShared(code, steering);
        }
    }

    void ReportShared(InputCode code, const std::vector<SettingsAction>& holders) {
        std::vector<std::string> names;
        for (SettingsAction action : holders)
            names.push_back(ActionName(action));
        problems_.push_back({InputSubject(code), set_ + ": " + InputName(code, language_) +
                                                     " is bound to " + ListOfNames(names)});
    }

    const Bindings& bindings_;
    bool keyboard_;
    int language_;
    std::string set_;
    std::vector<SettingsProblem>& problems_;
};

}  // namespace

std::vector<SettingsProblem> CheckSettings(const SettingsFile& record, std::uint64_t fileSize,
                                           int language) {
    std::vector<SettingsProblem> problems;
    if (fileSize != kSettingsFileSize) {
        problems.push_back({"fileSize", "the file has " + std::to_string(fileSize) +
                                            " bytes instead of " +
                                            std::to_string(kSettingsFileSize)});
    }
    if (!PassesVersionTest(record)) {
        problems.push_back({"version", "the version is " + VersionText(record) +
                                           " instead of 2.1: the setup dialogs read the file as "
                                           "out of date"});
    }
    if (!IsLanguageNumber(record.language)) {
        problems.push_back({"language", "the language is " + std::to_string(record.language) +
                                            ", which is none of 0 to 4"});
    }
    if (!record.displayAdapter.IsZero() && record.windowed == 0) {
        if (!IsListedColourDepth(record.colourBits)) {
            problems.push_back({"colourBits", "the colour depth is " +
                                                  std::to_string(record.colourBits) +
                                                  " bits instead of 16, 24 or 32"});
        }
        if (record.displayWidth < kMinimumWidth || record.displayHeight < kMinimumHeight) {
            problems.push_back(
                {"displayMode", "the display mode " + std::to_string(record.displayWidth) + " x " +
                                    std::to_string(record.displayHeight) + " is smaller than " +
                                    std::to_string(kMinimumWidth) + " x " +
                                    std::to_string(kMinimumHeight)});
        }
    }
    BindingChecker(record.keyboardBindings, true, language, problems).Check();
    BindingChecker(record.controllerBindings, false, language, problems).Check();
    return problems;
}
