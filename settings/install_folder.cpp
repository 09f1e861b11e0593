#include "settings/install_folder.h"

std::string WithoutTrailingBackslash(std::string text) {
    if (!text.empty() && text.back() == '\\')
        text.pop_back();
    return text;
}
