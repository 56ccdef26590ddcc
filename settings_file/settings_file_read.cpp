// The reader of settings files: every problem with its kind, key and line.

#include "settings_file/settings_file.h"

#include "settings_file/key_depth.h"
#include "settings_file/value_checks.h"

#include <algorithm>

namespace settings {
namespace {

using namespace file;

int lineOf(const toml::source_region& where)
{
    return static_cast<int>(where.begin.line);
}

FileProblem problemAt(int line, FileProblem::Kind kind, std::string_view key = {})
{
    FileProblem problem;
    problem.kind = kind;
    problem.line = line;
    problem.key = std::string(key);
    return problem;
}

void readGroup(Group group, const toml::table& table, FileContents& out)
{
    makeThere(out.values, group);
    int gpsKeys = 0;
    for (auto&& [key, node] : table) {
        const Field* f = findField(group, key.str());
        const std::string name = std::string(groupName(group)) + "." + std::string(key.str());
        if (!f) {
            out.problems.push_back(problemAt(lineOf(key.source()), FileProblem::Kind::UnknownKey, name));
            continue;
        }
        out.lines[name] = lineOf(key.source());
        if (f->kind == Kind::GpsBit) ++gpsKeys;
        const Judged judged = judgeNode(*f, node);
        if (judged.value) f->put(out.values, *judged.value);
        else {
            FileProblem problem = problemAt(lineOf(node.source()), FileProblem::Kind::Value, name);
            problem.value = judged.problem;
            out.problems.push_back(std::move(problem));
        }
    }
    const auto gpsFields =
        std::count_if(fields().begin(), fields().end(), [](const Field& f) { return f.kind == Kind::GpsBit; });
    if (gpsKeys != 0 && gpsKeys != gpsFields) {
        out.problems.push_back(
            problemAt(lineOf(table.source()), FileProblem::Kind::GpsKeysApart, std::string(groupName(group))));
        out.values.serialPort->gpsBits.reset();
    }
}

// Nothing when the format is one this program reads; a newer one is the
// only problem reported, since its keys may mean other things.
std::optional<FileProblem> formatProblem(const toml::table& root, bool& newer)
{
    const toml::node* format = root.get("format");
    if (!format) return problemAt(1, FileProblem::Kind::FormatMissing);
    const auto* version = format->as_integer();
    const int line = lineOf(format->source());
    if (!version) return problemAt(line, FileProblem::Kind::FormatNotANumber);
    newer = version->get() > FileFormatVersion;
    if (!newer && version->get() >= 1) return std::nullopt;
    FileProblem problem = problemAt(line, newer ? FileProblem::Kind::FormatNewer : FileProblem::Kind::FormatUnknown);
    problem.number = version->get();
    return problem;
}

}  // namespace

FileContents readSettingsFile(std::string_view text)
{
    FileContents out;
    if (const std::optional<DeepKey> deep = findDeepKey(text)) {
        FileProblem problem = problemAt(deep->line, FileProblem::Kind::TooDeep);
        problem.number = static_cast<std::int64_t>(DeepestKey);
        out.problems.push_back(std::move(problem));
        return out;
    }
    // The parser's words for bytes that are not UTF-8 name no byte: the
    // file is checked first.
    if (const std::optional<std::size_t> at = firstNotUtf8(text)) {
        const std::string_view before = text.substr(0, *at);
        const std::size_t lineStart = before.rfind('\n');
        FileProblem problem =
            problemAt(static_cast<int>(std::count(before.begin(), before.end(), '\n')) + 1, FileProblem::Kind::NotUtf8);
        problem.column = static_cast<int>(lineStart == std::string_view::npos ? *at + 1 : *at - lineStart);
        problem.value.kind = ValueProblem::Kind::NotUtf8;
        problem.value.given = static_cast<unsigned char>(text[*at]);
        out.problems.push_back(std::move(problem));
        return out;
    }
    toml::table root;
    try {
        root = toml::parse(text);
    } catch (const toml::parse_error& error) {
        FileProblem problem = problemAt(lineOf(error.source()), FileProblem::Kind::Syntax);
        problem.column = static_cast<int>(error.source().begin.column);
        problem.detail = std::string(error.description());
        out.problems.push_back(std::move(problem));
        return out;
    }
    bool newer = false;
    if (auto problem = formatProblem(root, newer)) {
        out.problems.push_back(*problem);
        if (newer) return out;
    }
    for (auto&& [key, node] : root) {
        if (key == "format") continue;
        const std::optional<Group> group = groupNamed(key.str());
        const toml::table* table = node.as_table();
        if (!group) out.problems.push_back(problemAt(lineOf(key.source()), FileProblem::Kind::UnknownTable, key.str()));
        else if (!table)
            out.problems.push_back(problemAt(lineOf(node.source()), FileProblem::Kind::NotATable, key.str()));
        else readGroup(*group, *table, out);
    }
    std::stable_sort(out.problems.begin(), out.problems.end(),
                     [](const FileProblem& a, const FileProblem& b) { return a.line < b.line; });
    if (out.problems.empty()) out.ownCopy = ownCopyOf(text);
    return out;
}

}  // namespace settings
