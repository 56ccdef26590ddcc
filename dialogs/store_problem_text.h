#pragma once
// A settings file or the state folder that could not be used, in the
// user's language.

#include "settings_file/settings_store.h"

#include <QString>

QString storeProblemText(const settings::StoreProblem& problem);
