#include "cli/plan_problems.h"

#include "settings_file/file_fields.h"

#include <cstdio>

namespace {

// The other value of the squelch pair: the COS check off, or a level of 0.
std::string otherValue(const settings::PlanProblem& p)
{
    return p.kind == settings::PlanProblem::Kind::SquelchNeedsCos ? "false" : "0";
}

// Where the other value of the squelch pair comes from.
std::string whence(const settings::PlanProblem& p)
{
    using Other = settings::PlanProblem::Other;
    switch (p.other) {
    case Other::Adapter: return "; the adapter holds " + p.otherKey + " = " + otherValue(p);
    case Other::FileLine:
        return "; line " + std::to_string(p.otherLine) + " sets " + p.otherKey + " = " + otherValue(p);
    case Other::CommandLine: break;
    }
    return {};
}

}  // namespace

std::string problemText(const settings::PlanProblem& p)
{
    using Kind = settings::PlanProblem::Kind;
    switch (p.kind) {
    case Kind::ControlCharacter: {
        char code[8];
        std::snprintf(code, sizeof code, "0x%02X", unsigned(p.code));
        return p.key + ": holds the control character " + code +
               "; a text holds none from 0x00 to 0x1F or 0x7F to 0x9F";
    }
    case Kind::BeyondRange: {
        const settings::file::Field* field = settings::file::findField(p.key);
        const std::string unit = field != nullptr && field->unit != nullptr ? field->unit : "";
        return p.key + ": " + p.value + " is outside 0 to " + std::to_string(p.max) + (unit.empty() ? "" : " ") + unit +
               "; a value beyond is kept only where the adapter holds it already, and it holds " +
               p.held.value_or("(not read)");
    }
    case Kind::SquelchNeedsCos: return p.key + " = 0 needs " + p.otherKey + " = true" + whence(p);
    case Kind::CosNeedsSquelch: return p.key + " = false needs " + p.otherKey + " above 0" + whence(p);
    }
    return {};
}

std::string problemLines(const std::vector<settings::PlanProblem>& problems, const std::string& name)
{
    std::string text;
    for (const settings::PlanProblem& problem : problems) {
        if (!text.empty()) text += '\n';
        if (!name.empty()) {
            text += name;
            if (problem.line > 0) text += ':' + std::to_string(problem.line);
            text += ": ";
        }
        text += problemText(problem);
    }
    return text;
}
