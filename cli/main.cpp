// tavrin-settings: the settings file from the command line (see settings_tool.h).

#include <cstdio>
#include <string>
#include <vector>

#include "cli/platform.h"
#include "cli/settings_tool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = CommandLineArguments(argc, argv);
    std::string out;
    std::string err;
    const int exitCode = RunSettingsTool(arguments, out, err);
    WriteText(stdout, out);
    WriteText(stderr, err);
    return exitCode;
}
