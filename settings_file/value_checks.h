#pragma once
// Whether a value of a settings file (or of the command line) is one the
// adapter can hold, and what it holds then; each refusal tells why.

#include "settings_file/file_fields.h"
#include "settings_file/file_problem.h"

#include <toml++/toml.h>

namespace settings::file {

struct Judged {
    std::optional<Held> value;
    ValueProblem problem{};  // when there is no value
};

// Whether the file's value is one the adapter can hold, and what it holds.
// Where the first byte of `text` that is not UTF-8 is; nothing when all are.
std::optional<std::size_t> firstNotUtf8(std::string_view text);

Judged judge(const Field& f, const Given& given);
Judged judgeNode(const Field& f, const toml::node& node);

// "a, b, c<last>d"
std::string joined(const std::vector<std::string>& items, const char* last);
// The baud rates that have a button, as the file writes them.
std::vector<std::string> baudRates();
// The names of the modes that have a button, joined.
std::string modeList(const char* last);

// Why a value is refused, in the settings file's English: the reason its
// comments give for a value the adapter holds that is left out of the file
// (the same in every file, whoever writes it). brisel-ctl gives the same
// words for a value refused on its command line or in a file.
std::string leftOutReason(const ValueProblem& problem);

}  // namespace settings::file
