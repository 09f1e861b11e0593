#pragma once
// The command line of tavrin-settings:
//
//     tavrin-settings [--json] [--language N|en|fr|de|it|es] COMMAND [FILE] [ARGUMENTS...]
//
// Options may stand anywhere; "--" ends them, so that a FILE may begin with "-".

#include <optional>
#include <string>
#include <vector>

#include "cli/settings_edit.h"

enum class ToolCommand { Help, Show, Check, Set, Reset };

enum class ResetScope { Controls, All };

struct ToolRequest {
    ToolCommand command = ToolCommand::Help;
    bool json = false;
    // The language of the names, when the command line chose one.
    std::optional<int> language;
    // The settings file, when the command line named one (as the system spells it).
    std::optional<std::string> file;
    // set: the FIELD=VALUE arguments, in UTF-8.
    std::vector<Assignment> assignments;
    // reset: what to reset.
    ResetScope scope = ResetScope::Controls;
};

struct ParsedArguments {
    std::optional<ToolRequest> request;
    // Why the command line was refused, when it was.
    std::string refusal;
};

// `arguments` without the program name, as the system passed them.
ParsedArguments ParseToolArguments(const std::vector<std::string>& arguments);
