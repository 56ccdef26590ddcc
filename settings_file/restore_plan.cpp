#include "settings_file/restore_plan.h"

#include "settings/groups.h"
#include "settings_file/toml_text.h"

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
        PlanProblem problem;
        problem.kind = PlanProblem::Kind::BeyondRange;
        problem.key = file::fullKey(f);
        problem.line = lineOf(lines, problem.key);
        problem.value = file::valueText(f, *to);
        problem.max = f.rule->max;
        if (from) problem.held = file::valueText(f, *from);
        problems.push_back(std::move(problem));
    }
}

// The pair the squelch rule refuses, named by the value that is given.
void squelchPairProblem(const Snapshot& held, const Snapshot& wanted, const Lines& lines,
                        std::vector<PlanProblem>& problems)
{
    if (!wanted.basic) return;
    const BasicValues was = held.basic.value_or(BasicValues{});
    if (judgeSquelchPair(squelchPairOf(*merged(held, wanted).basic), squelchPairOf(was)) != SquelchVerdict::Refused)
        return;

    const std::string level = SquelchKey;
    const std::string cos = "basic.cos_check";
    // A value the file names, or one a command line changes (set's values
    // hold the whole group).
    const auto given = [&](const std::string& key, const auto& value, const auto& held) {
        return value && (lines.contains(key) || value != held);
    };
    const bool levelGiven = given(level, wanted.basic->squelchLevel, was.squelchLevel);
    const bool cosGiven = given(cos, wanted.basic->cosCheck, was.cosCheck);
    PlanProblem problem;
    problem.kind = levelGiven ? PlanProblem::Kind::SquelchNeedsCos : PlanProblem::Kind::CosNeedsSquelch;
    problem.key = levelGiven ? level : cos;
    problem.line = lineOf(lines, problem.key);
    problem.value = levelGiven ? "0" : "false";
    problem.otherKey = levelGiven ? cos : level;
    // Where the other value of the pair comes from: the COS check may be
    // given too; the squelch level, when it is not given, is the adapter's.
    if (levelGiven && cosGiven) {
        problem.otherLine = lineOf(lines, cos);
        problem.other = problem.otherLine > 0 ? PlanProblem::Other::FileLine : PlanProblem::Other::CommandLine;
    }
    problems.push_back(std::move(problem));
}

}  // namespace

std::vector<Lacking> takeOutWhatTheFirmwareLacks(Snapshot& wanted, const Features& features)
{
    std::vector<Lacking> lacking;
    for (Group group : AllGroups) {
        if (!wanted.has(group) || hasGroup(features, group)) continue;
        lacking.push_back({group, {}});
        copyGroup(Snapshot{}, wanted, group);
    }
    if (wanted.basic) {
        auto drop = [&](auto& value, bool present, const char* key) {
            if (!value || present) return;
            lacking.push_back({std::nullopt, key});
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

RestorePlan planRestore(const Snapshot& held, const Snapshot& wanted, const Lines& lines, bool exact)
{
    RestorePlan plan;
    plan.changes = differences(held, wanted);
    plan.fixedFlagBits = changesFixedFlagBits(held, wanted);
    if (exact) return plan;
    for (const auto& [key, code] : controlCharacterProblems(held, wanted)) {
        PlanProblem problem;
        problem.kind = PlanProblem::Kind::ControlCharacter;
        problem.key = key;
        problem.line = lineOf(lines, key);
        problem.code = code;
        plan.problems.push_back(std::move(problem));
    }
    judgeDialogRanges(held, wanted, lines, plan.problems);
    squelchPairProblem(held, wanted, lines, plan.problems);
    std::stable_sort(plan.problems.begin(), plan.problems.end(),
                     [](const PlanProblem& a, const PlanProblem& b) { return a.line < b.line; });
    return plan;
}

}  // namespace settings
