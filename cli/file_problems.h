#pragma once
// A settings file's problems and the values given to `set`, in brisel-ctl's
// English.

#include "settings_file/file_problem.h"

#include <string>

// Why a value is refused: "is 5 characters long, more than 4".
std::string valueProblemText(const settings::ValueProblem& problem);
// One problem without its file and line: "unknown key basic.nope".
std::string fileProblemText(const settings::FileProblem& problem);
