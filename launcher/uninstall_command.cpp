#include "launcher/uninstall_command.h"

std::string UninstallKeyPath(const std::string& guid) {
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + guid;
}

std::vector<ProgramStart> UninstallerCandidates(const std::string& command) {
    const std::size_t open = command.find('"');
    if (open != std::string::npos) {
        const std::size_t close = command.find('"', open + 1);
        // An unclosed quote runs to the end of the command.
        const std::string program = command.substr(
            open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
        if (program.empty() || program.size() >= kQuotedPathCapacity)
            return {};
        return {{program, ""}};
    }

    std::vector<ProgramStart> candidates;
    const std::size_t first = command.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    for (std::size_t blank = command.find(' ', first); blank != std::string::npos;
         blank = command.find(' ', blank + 1)) {
        const std::size_t rest = command.find_first_not_of(' ', blank);
        candidates.push_back({command.substr(first, blank - first),
                              rest == std::string::npos ? "" : command.substr(rest)});
    }
    const std::size_t last = command.find_last_not_of(' ');
    candidates.push_back({command.substr(first, last - first + 1), ""});
    return candidates;
}
