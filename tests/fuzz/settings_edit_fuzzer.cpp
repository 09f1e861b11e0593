// Applies generated `set` assignments to generated 172-byte files and holds every accepted set to
// what the tool promises, whatever the combination:
//  - a refused set leaves the record exactly as it was;
//  - bytes of fields no assignment names do not change (the version becomes 2.1; an adapter given
//    to a file without a mode brings one; the controls constant follows a binding or controller);
//  - within a binding set, an action not named only loses its input or shares its named
//    partner's axis;
//  - check reports nothing that it did not report of the file before;
//  - the same set applied again changes nothing;
//  - an input just bound is held by one action, or an axis by one pair.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "cli/field_names.h"
#include "cli/input_names.h"
#include "cli/settings_check.h"
#include "cli/settings_edit.h"
#include "controls/control_actions.h"
#include "settings/settings_file.h"

namespace {

// The field names of set, with the byte ranges each may change besides the version.
struct FieldKind {
    const char* name;
    std::size_t first;
    std::size_t end;
};

constexpr std::size_t kDisplayFirst = 36;  // displayWidth ... windowed
constexpr std::size_t kDisplayEnd = 56;

const FieldKind kFields[] = {
    {"display", kDisplayFirst, kDisplayEnd},
    {"windowed", kDisplayFirst, kDisplayEnd},
    {"colour", kDisplayFirst, kDisplayEnd},
    {"depth", kDisplayFirst, kDisplayEnd},
    {"compatibility", 56, 60},
    {"highDetail", 60, 64},
    {"language", 168, 172},
    {"adapter", 20, 36},
    {"sound", 4, 20},
    {"controller", 64, 80},
    {"no-such-field", 0, 0},
};

const char* const kWords[] = {
    "Windowed",
    "fenêtre",
    "on",
    "off",
    "16",
    "24",
    "32",
    "1",
    "0",
    "de",
    "it",
    "7",
    "none",
    "default",
    "keyboard",
    "Tastatur",
    "Undefined",
    "Space",
    "Left Ctrl",
    "Leertaste",
    "X Axis",
    "Y Axis",
    "Z Rot",
    "Button 3",
    "Button 03",
    "Button 33",
    "0x3b",
    "z",
    "{00000000-0000-0000-0000-000000000000}",
    "{01234567-89AB-CDEF-0123-456789ABCDEF}",
    "1024x768x32",
    "640 x 480 x 16 (16z)",
    "800x600x24x16",
    "320x200x32",
    "1280x1024x8",
};

struct Generated {
    std::vector<Assignment> assignments;
    // Per assignment, the range of bytes it may change; bindings are looked at separately.
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    std::set<std::size_t> namedKeyboard;    // file indices of keyboard.ACTION assignments
    std::set<std::size_t> namedController;  // ... and of controller.ACTION ones
    bool adapterNamed = false;
};

std::string Value(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return data.ConsumeRandomLengthString(24);
        case 1: {
            const int language = data.ConsumeIntegralInRange(0, kLanguageCount - 1);
            return InputName(data.ConsumeIntegralInRange<InputCode>(-3, 300), language);
        }
        default:
            return data.PickValueInArray(kWords);
    }
}

Generated Generate(FuzzedDataProvider& data) {
    Generated generated;
    const int count = data.ConsumeIntegralInRange(1, 6);
    for (int i = 0; i < count; ++i) {
        const std::string value = Value(data);
        if (data.ConsumeBool()) {
            const bool keyboard = data.ConsumeBool();
            const ActionField& action = data.PickValueInArray(kActionFields);
            generated.assignments.push_back(
                {std::string(keyboard ? "keyboard." : "controller.") + action.key, value});
            (keyboard ? generated.namedKeyboard : generated.namedController)
                .insert(static_cast<std::size_t>(action.action));
            generated.ranges.emplace_back(0, 0);
            continue;
        }
        const FieldKind& field = data.PickValueInArray(kFields);
        generated.assignments.push_back({field.name, value});
        generated.ranges.emplace_back(field.first, field.end);
        generated.adapterNamed |= std::string(field.name) == "adapter";
    }
    return generated;
}

// The assignments being tried, for the report of a broken property.
const Generated* tried = nullptr;

// Stops with the line of the property that broke and the assignments that broke it.
#define Require(holds) RequireAt(holds, __LINE__)
void RequireAt(bool holds, int line) {
    if (holds)
        return;
    std::fprintf(stderr, "property of line %d broken by set", line);
    for (const Assignment& assignment : tried->assignments)
        std::fprintf(stderr, " \"%s=%s\"", assignment.field.c_str(), assignment.value.c_str());
    std::fprintf(stderr, "\n");
    std::abort();
}

bool Named(const Generated& generated, std::size_t at) {
    for (const auto& [first, end] : generated.ranges) {
        if (at >= first && at < end)
            return true;
    }
    // An adapter saved where there was none brings the graphics setup's mode with it.
    return generated.adapterNamed && at >= kDisplayFirst && at < kDisplayEnd;
}

// The binding array changes an assignment list may make to the actions it does not name.
void RequireBindingsChangedOnlyByRule(const Bindings& before, const Bindings& after,
                                      const std::set<std::size_t>& named) {
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (named.count(i) != 0 || after[i] == before[i] || after[i] == kUnbound)
            continue;
        // Given the axis its named partner took.
        const std::optional<ControlAction> partner =
            PartnerOf(ControlActionOf(static_cast<SettingsAction>(i)));
        Require(partner && IsAxis(after[i]) &&
                named.count(static_cast<std::size_t>(FileActionOf(*partner))) != 0 &&
                after[static_cast<std::size_t>(FileActionOf(*partner))] == after[i]);
    }
}

// An input an assignment bound is held by one action, or by the two of one pair for an axis.
void RequireNamedInputsHeldOnce(const Bindings& after, const std::set<std::size_t>& named) {
    for (std::size_t i : named) {
        const InputCode code = after[i];
        if (code == kUnbound)
            continue;
        std::vector<std::size_t> holders;
        for (std::size_t j = 0; j < after.size(); ++j) {
            if (after[j] == code)
                holders.push_back(j);
        }
        if (holders.size() == 1)
            continue;
        const std::optional<ControlAction> partner =
            PartnerOf(ControlActionOf(static_cast<SettingsAction>(holders[0])));
        Require(holders.size() == 2 && IsAxis(code) && partner &&
                FileActionOf(*partner) == static_cast<SettingsAction>(holders[1]));
    }
}

std::set<std::string> Subjects(const SettingsFile& record, int language) {
    std::set<std::string> subjects;
    for (const SettingsProblem& problem : CheckSettings(record, kSettingsFileSize, language))
        subjects.insert(problem.subject);
    return subjects;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    std::vector<std::uint8_t> file = data.ConsumeBytes<std::uint8_t>(kSettingsFileSize);
    file.resize(kSettingsFileSize);
    SettingsFile before;
    OverlaySettings(before, file.data(), file.size());
    const int language = data.ConsumeIntegralInRange(0, kLanguageCount - 1);
    const Generated generated = Generate(data);
    tried = &generated;

    SettingsFile after = before;
    const EditOutcome outcome = ApplyAssignments(after, generated.assignments, language);
    const SettingsBytes old = EncodeSettings(before);
    const SettingsBytes edited = EncodeSettings(after);
    if (outcome.refusal) {
        Require(edited == old);
        return 0;
    }

    const bool controlsNamed =
        !generated.namedKeyboard.empty() || !generated.namedController.empty() ||
        std::any_of(generated.assignments.begin(), generated.assignments.end(),
                    [](const Assignment& a) { return a.field == "controller"; });
    for (std::size_t at = 0; at < edited.size(); ++at) {
        const bool binding = (at >= 80 && at < 116) || (at >= 124 && at < 160);
        const bool version = at < 4;
        const bool constant = at >= 116 && at < 120 && controlsNamed;
        if (!binding && !version && !constant && !Named(generated, at))
            Require(edited[at] == old[at]);
    }
    RequireBindingsChangedOnlyByRule(before.keyboardBindings, after.keyboardBindings,
                                     generated.namedKeyboard);
    RequireBindingsChangedOnlyByRule(before.controllerBindings, after.controllerBindings,
                                     generated.namedController);
    RequireNamedInputsHeldOnce(after.keyboardBindings, generated.namedKeyboard);
    RequireNamedInputsHeldOnce(after.controllerBindings, generated.namedController);

    const std::set<std::string> problemsBefore = Subjects(before, language);
    for (const std::string& subject : Subjects(after, language))
        Require(problemsBefore.count(subject) != 0);

    SettingsFile again = after;
    Require(!ApplyAssignments(again, generated.assignments, language).refusal);
    Require(EncodeSettings(again) == edited);
    return 0;
}
