#pragma once
// A problem of a settings file, in the user's language: the key by the
// label of the field that shows it, the values as its box shows them.

#include "settings_file/file_problem.h"

#include <QString>

// One problem without its file and line.
QString fileProblemText(const settings::FileProblem& problem);
