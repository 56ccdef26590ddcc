#include "cli/file_problems.h"

#include "device/shown_text.h"
#include "settings_file/file_fields.h"
#include "settings_file/settings_file.h"
#include "settings_file/value_checks.h"

#include <cstdio>

namespace {

const char* expected(settings::ValueProblem::Type type)
{
    using Type = settings::ValueProblem::Type;
    switch (type) {
    case Type::Switch: return "true or false";
    case Type::Text: return "a text in quotes";
    case Type::Number: break;
    }
    return "a whole number";
}

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
    using Kind = settings::ValueProblem::Kind;
    using settings::file::modeList;
    const std::string given = std::to_string(problem.given);
    switch (problem.kind) {
    case Kind::NotUtf8: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(problem.given & 0xFF));
        return std::string("is not UTF-8 text: it holds the byte ") + hex + "; give the text in UTF-8";
    }
    case Kind::NotLatin1: return "holds a character outside Latin-1 (the adapter keeps one byte per character)";
    case Kind::NotAMode: return "\"" + shown::clipped(problem.text) + "\" is not one of " + modeList(" or ");
    case Kind::HoldsNul: return "holds a NUL character";
    case Kind::TooLong: return "is " + given + " characters long, more than " + std::to_string(problem.most);
    case Kind::OutOfRange:
        return given + " is outside 0 to " + std::to_string(problem.most) + (problem.unit.empty() ? "" : " ") +
               problem.unit +
               (problem.wireMost != problem.most ? "; the adapter holds at most " + std::to_string(problem.wireMost)
                                                 : "");
    case Kind::NotAStep:
        return given + " is not a multiple of " + std::to_string(problem.step) + ": the adapter keeps it in steps of " +
               std::to_string(problem.step);
    case Kind::NotABaudRate:
        return given + " is not one of " + settings::file::joined(settings::file::baudRates(), " or ");
    case Kind::NotAByte: return given + " is outside 0x00 to 0xFF";
    case Kind::ModeCode: return "code " + given + " has no button; expected one of " + modeList(" or ");
    case Kind::WrongType: break;
    }
    return std::string("expected ") + expected(problem.expected);
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
    case Kind::NotAValue: return problem.key + ": not a value (" + problem.detail + ")";
    case Kind::MoreThanOneValue: return problem.key + ": more than one value";
    case Kind::GpsNotRead: return problem.key + ": the GPS keys are one setting of the adapter, and it was not read";
    }
    return problem.detail;
}
