#pragma once
// The driver's commands (listed in README.md), each turning a request into an answer.

#include <string>
#include <vector>

#include "tools/driver/protocol.h"

// `request` holds the command name and its arguments, unescaped.
Answer RunCommand(const std::vector<std::string>& request);

// One line per command: its name and arguments.
std::string CommandUsage();
