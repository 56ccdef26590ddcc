#pragma once
// A settings file or the state folder that could not be used, in
// brisel-ctl's English words.

#include "settings_file/settings_store.h"

#include <string>

std::string storeText(const settings::StoreProblem& problem);
