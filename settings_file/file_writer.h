#pragma once
// Writing a file so that it is never lost: the text goes to a temporary file
// in the target's folder, is synced, and is renamed into place; the folder is
// synced after. On any failure the old file is left as it was and the
// temporary file is removed.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// Why a file was not written, and which.
struct WriteProblem {
    enum class Kind {
        Failed,         // the system refused: `error` (an errno)
        NotRegular,     // `path` exists and is neither a regular file nor a link
        Exists,         // `path` exists and was not to be replaced
        AllNamesTaken,  // `path`, the last name offered, exists, and so do those before it
        NotAFolder,     // `path` was made as a folder but is none
    };
    Kind kind = Kind::Failed;
    std::string path{};
    int error = 0;
    bool operator==(const WriteProblem&) const = default;
};

class WriteError : public std::runtime_error {
public:
    explicit WriteError(WriteProblem problem)
        : std::runtime_error("a file was not written"), problem_(std::move(problem))
    {}
    const WriteProblem& problem() const { return problem_; }
    // The target exists and was not to be replaced.
    bool taken() const
    {
        return problem_.kind == WriteProblem::Kind::Exists || problem_.kind == WriteProblem::Kind::AllNamesTaken;
    }

private:
    WriteProblem problem_;
};

// The path of `name` in `folder`, joined by the system's own separator
// ("." is the current folder: `name` alone).
std::string pathIn(const std::string& folder, const std::string& name);

// The folder that holds `path`: what comes before its last separator, "."
// when it has none.
std::string folderOf(const std::string& path);

// Writes `text` to `path`. Without `replace` an existing name (a link
// included) is left alone; the rename decides that, not a check made before.
// With `replace` a regular file keeps its mode (and its owner when run by
// root), and a symbolic link is replaced itself, never written through. A
// target that exists and is neither a regular file nor a link is refused.
// With `privateFile` the file is 0600, whatever it was before. Throws
// WriteError.
void writeWholeFile(const std::string& path, std::string_view text, bool replace, bool privateFile = false);

// Writes `text` under the first of `names` (in `folder`) that no one has
// taken, each try decided by the rename. Returns the path written. Throws
// WriteError, naming the file.
std::string writeUnderFreeName(const std::string& folder, const std::vector<std::string>& names, std::string_view text);

// Makes `folder` and each missing folder above it, mode 0700, and checks that
// each one made is a folder and not a link. Throws WriteError.
void makePrivateFolder(const std::string& folder);

}  // namespace settings
