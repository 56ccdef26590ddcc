#include "settings/restore_plan.h"

#include "settings/groups.h"
#include "settings/toml_text.h"

#include <algorithm>

namespace settings {
namespace {

using Lines = std::map<std::string, int>;

int lineOf(const Lines& lines, const std::string& key)
{
    const auto found = lines.find(key);
    return found == lines.end() ? 0 : found->second;
}

// A number above its dialog's range is written only when the adapter holds
// it already.
void judgeDialogRanges(const Snapshot& held, const Snapshot& wanted, const Lines& lines,
                       std::vector<PlanProblem>& problems)
{
    for (const file::Field& f : file::fields()) {
        if (f.kind != file::Kind::Number) continue;
        const std::optional<file::Held> to = f.get(wanted);
        if (!to || f.rule->shown(std::get<std::uint32_t>(*to)) <= f.rule->max) continue;
        const std::optional<file::Held> from = f.get(held);
        if (from == to) continue;
        const std::string key = file::fullKey(f);
        problems.push_back({lineOf(lines, key),
                            key + ": " + file::valueText(f, *to) + " is outside 0 to " + std::to_string(f.rule->max) +
                                (*f.unit ? " " : "") + f.unit + "; a value beyond is kept only where the adapter " +
                                "holds it already, and it holds " + (from ? file::valueText(f, *from) : "(not read)")});
    }
}

// An S/N squelch level of 0 with COS check off is written only when the
// adapter holds that pair already.
void judgeSquelchPair(const Snapshot& held, const Snapshot& wanted, const Lines& lines,
                      std::vector<PlanProblem>& problems)
{
    if (!wanted.basic) return;
    const Snapshot whole = merged(held, wanted);
    const BasicValues& b = *whole.basic;
    if (!b.squelchLevel || !b.cosCheck || squelchPairAllowed(*b.squelchLevel, *b.cosCheck)) return;
    const BasicValues was = held.basic.value_or(BasicValues{});
    if (was.squelchLevel == b.squelchLevel && was.cosCheck == b.cosCheck) return;

    const std::string level = SquelchKey;
    const std::string cos = "basic.cos_check";
    // A value the file names, or one a command line changes (set's values
    // hold the whole group).
    const auto given = [&](const std::string& key, const auto& value, const auto& held) {
        return value && (lines.contains(key) || value != held);
    };
    const bool levelGiven = given(level, wanted.basic->squelchLevel, was.squelchLevel);
    const bool cosGiven = given(cos, wanted.basic->cosCheck, was.cosCheck);
    // Where the other value of the pair comes from.
    const auto whence = [&](const std::string& key, bool given, const char* value) {
        if (!given) return "; the adapter holds " + key + " = " + value;
        const int line = lineOf(lines, key);
        return line > 0 ? "; line " + std::to_string(line) + " sets " + key + " = " + value : std::string();
    };
    if (levelGiven)
        problems.push_back(
            {lineOf(lines, level), level + " = 0 needs " + cos + " = true" + whence(cos, cosGiven, "false")});
    else
        problems.push_back(
            {lineOf(lines, cos), cos + " = false needs " + level + " above 0" + whence(level, false, "0")});
}

}  // namespace

std::vector<std::string> takeOutWhatTheFirmwareLacks(Snapshot& wanted, const Features& features)
{
    std::vector<std::string> lacking;
    for (Group group : AllGroups) {
        if (!wanted.has(group) || hasGroup(features, group)) continue;
        lacking.push_back(std::string("the ") + groupName(group) + " group");
        copyGroup(Snapshot{}, wanted, group);
    }
    if (wanted.basic) {
        auto drop = [&](auto& value, bool present, const char* key) {
            if (!value || present) return;
            lacking.emplace_back(key);
            value.reset();
        };
        drop(wanted.basic->squelchLevel, features.basic.squelch, SquelchKey);
        drop(wanted.basic->jitterBuffer, features.basic.jitterBuffer, JitterKey);
    }
    return lacking;
}

bool changesFixedFlagBits(const Snapshot& held, const Snapshot& wanted)
{
    return wanted.repeater && wanted.repeater->flagByte && held.repeater && held.repeater->flagByte &&
           ((*wanted.repeater->flagByte ^ *held.repeater->flagByte) & FixedFlagBits) != 0;
}

RestorePlan planRestore(const Snapshot& held, const Snapshot& wanted, const Lines& lines)
{
    RestorePlan plan;
    for (const auto& [key, problem] : controlCharacterProblems(held, wanted))
        plan.problems.push_back({lineOf(lines, key), problem});
    judgeDialogRanges(held, wanted, lines, plan.problems);
    judgeSquelchPair(held, wanted, lines, plan.problems);
    std::stable_sort(plan.problems.begin(), plan.problems.end(),
                     [](const PlanProblem& a, const PlanProblem& b) { return a.line < b.line; });
    plan.changes = differences(held, wanted);
    plan.fixedFlagBits = changesFixedFlagBits(held, wanted);
    return plan;
}

std::string problemLines(const std::vector<PlanProblem>& problems, const std::string& name)
{
    std::string text;
    for (const PlanProblem& problem : problems) {
        if (!text.empty()) text += '\n';
        if (!name.empty()) {
            text += name;
            if (problem.line > 0) text += ':' + std::to_string(problem.line);
            text += ": ";
        }
        text += problem.what;
    }
    return text;
}

}  // namespace settings
