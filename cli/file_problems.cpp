#include "cli/file_problems.h"

#include "device/shown_text.h"
#include "settings_file/file_fields.h"
#include "settings_file/settings_file.h"
#include "settings_file/value_checks.h"

namespace {

// A file's "group.key" with the key as written, clipped as a quote is.
std::string keyText(const std::string& key)
{
    const auto dot = key.find('.');
    if (dot == std::string::npos) return shown::clipped(key);
    return key.substr(0, dot + 1) + shown::clipped(std::string_view(key).substr(dot + 1));
}

}  // namespace

std::string valueProblemText(const settings::ValueProblem& problem)
{
    return settings::file::leftOutReason(problem);
}

std::string fileProblemText(const settings::FileProblem& problem)
{
    using Kind = settings::FileProblem::Kind;
    const std::string known = std::to_string(settings::FileFormatVersion);
    const std::string number = std::to_string(problem.number);
    switch (problem.kind) {
    case Kind::Syntax: break;
    case Kind::TooDeep: return "a key or table name of more than " + number + " dotted parts; a settings key has two";
    case Kind::FormatMissing: return "format is missing: a settings file begins with format = 1";
    case Kind::FormatNotANumber: return "format: expected a whole number";
    case Kind::FormatNewer:
        return "format " + number + " is written by a newer program; this one reads format " + known;
    case Kind::FormatUnknown: return "format " + number + " is unknown; this program reads format " + known;
    case Kind::UnknownTable: return "unknown table or key " + shown::clipped(problem.key);
    case Kind::NotATable: return problem.key + " must be a table";
    case Kind::UnknownKey:
        // A file's key is its table's name and the key as written; a key
        // given on the command line (line 0) is one text.
        return "unknown key " + (problem.line == 0 ? shown::clipped(problem.key) : keyText(problem.key));
    case Kind::GpsKeysApart:
        return problem.key +
               ": the GPS keys gprmc, gpgga, gpgll, gpgsa, gpvtg and message_send are one setting of the adapter: "
               "give all six or none";
    case Kind::Value: return problem.key + ": " + valueProblemText(problem.value);
    case Kind::NotUtf8:
        return "column " + std::to_string(problem.column) + ": the file " + valueProblemText(problem.value);
    case Kind::NotAValue: return problem.key + ": not a value (" + problem.detail + ")";
    case Kind::MoreThanOneValue: return problem.key + ": more than one value";
    case Kind::GpsNotRead: return problem.key + ": the GPS keys are one setting of the adapter, and it was not read";
    }
    return problem.detail;
}
