#pragma once
// --device of brisel-setting and brisel-ctl: both take parseAdapterChoice's
// forms and give the same texts about them.

#include <string>
#include <string_view>

// Why `given` is not taken, quoting it cut and escaped.
std::string deviceOptionProblem(std::string_view given);
