#include "cli/tool_arguments.h"

#include <string_view>

#include "cli/field_names.h"
#include "cli/utf8_text.h"

namespace {

ParsedArguments Refuse(std::string why) {
    return {std::nullopt, std::move(why)};
}

std::optional<ToolCommand> CommandNamed(std::string_view word) {
    if (word == "show")
        return ToolCommand::Show;
    if (word == "check")
        return ToolCommand::Check;
    if (word == "set")
        return ToolCommand::Set;
    if (word == "reset")
        return ToolCommand::Reset;
    if (word == "help")
        return ToolCommand::Help;
    return std::nullopt;
}

std::optional<ResetScope> ScopeNamed(std::string_view word) {
    if (word == "controls")
        return ResetScope::Controls;
    if (word == "all")
        return ResetScope::All;
    return std::nullopt;
}

// Sorts the words after the command into FILE and the command's own arguments.
ParsedArguments TakeOperands(ToolRequest request, const std::vector<std::string>& words) {
    switch (request.command) {
        case ToolCommand::Help:
            if (!words.empty())
                return Refuse("help takes no arguments");
            break;
        case ToolCommand::Show:
        case ToolCommand::Check:
            if (words.size() > 1)
                return Refuse("too many arguments: give at most one FILE");
            if (!words.empty())
                request.file = words.front();
            break;
        case ToolCommand::Set: {
            std::size_t first = 0;
            // A FILE is the first word without "="; a settings file name rarely has one, and
            // "./a=b.dat" names it anyway.
            if (!words.empty() && words.front().find('=') == std::string::npos) {
                request.file = words.front();
                first = 1;
            }
            if (first == words.size())
                return Refuse("set needs at least one FIELD=VALUE");
            for (std::size_t i = first; i < words.size(); ++i) {
                const std::string text = ValidUtf8(words[i]);
                const std::optional<Assignment> assignment = ParseAssignment(text);
                if (!assignment)
                    return Refuse("\"" + text + "\" is not FIELD=VALUE");
                request.assignments.push_back(*assignment);
            }
            break;
        }
        case ToolCommand::Reset: {
            if (words.empty() || words.size() > 2)
                return Refuse("reset needs [FILE] and then controls or all");
            const std::optional<ResetScope> scope = ScopeNamed(words.back());
            if (!scope)
                return Refuse("reset resets controls or all, not \"" + ValidUtf8(words.back()) +
                              "\"");
            request.scope = *scope;
            if (words.size() == 2)
                request.file = words.front();
            break;
        }
    }
    if (request.json && request.command != ToolCommand::Show)
        return Refuse("--json goes with show only");
    return {std::move(request), {}};
}

}  // namespace

ParsedArguments ParseToolArguments(const std::vector<std::string>& arguments) {
    ToolRequest request;
    std::optional<ToolCommand> command;
    std::vector<std::string> operands;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isOption = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (!isOption) {
            if (!command) {
                command = CommandNamed(argument);
                if (!command)
                    return Refuse("unknown command \"" + ValidUtf8(argument) +
                                  "\"; the commands are show, check, set and reset");
            } else {
                operands.push_back(argument);
            }
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            return {ToolRequest{}, {}};
        } else if (argument == "--json") {
            request.json = true;
        } else if (argument == "--language" || argument.rfind("--language=", 0) == 0) {
            std::string word;
            if (argument == "--language") {
                if (++i == arguments.size())
                    return Refuse("--language needs a language: 0 to 4, en, fr, de, it or es");
                word = arguments[i];
            } else {
                word = argument.substr(std::string_view("--language=").size());
            }
            request.language = LanguageFromWord(word);
            if (!request.language)
                return Refuse("--language takes 0 to 4, en, fr, de, it or es, not \"" +
                              ValidUtf8(word) + "\"");
        } else {
            return Refuse("unknown option \"" + ValidUtf8(argument) + "\"");
        }
    }
    if (!command)
        return Refuse("no command given; the commands are show, check, set and reset");
    request.command = *command;
    return TakeOperands(std::move(request), operands);
}
