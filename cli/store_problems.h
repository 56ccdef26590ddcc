#pragma once
// A settings file or the state folder that could not be used, in
// brisel-ctl's English words.

#include "settings_file/settings_store.h"

#include <string>

std::string storeText(const settings::StoreProblem& problem);

// A settings file's name in messages: "-" is standard input.
inline std::string fileName(const std::string& path)
{
    return path == "-" ? "standard input" : path;
}
