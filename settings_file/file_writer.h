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

class WriteError : public std::runtime_error {
public:
    // `taken`: the target exists and was not to be replaced.
    WriteError(const std::string& what, bool taken = false) : std::runtime_error(what), taken_(taken) {}
    bool taken() const { return taken_; }

private:
    bool taken_;
};

// Writes `text` to `path`. Without `replace` an existing name (a link
// included) is left alone; the rename decides that, not a check made before.
// With `replace` a regular file keeps its mode (and its owner when run by
// root), and a symbolic link is replaced itself, never written through. A
// target that exists and is neither a regular file nor a link is refused.
// Throws WriteError, naming the file.
void writeWholeFile(const std::string& path, std::string_view text, bool replace);

// Writes `text` under the first of `names` (in `folder`) that no one has
// taken, each try decided by the rename. Returns the path written. Throws
// WriteError, naming the file.
std::string writeUnderFreeName(const std::string& folder, const std::vector<std::string>& names, std::string_view text);

// Makes `folder` and each missing folder above it, mode 0700, and checks that
// each one made is a folder and not a link. Throws WriteError.
void makePrivateFolder(const std::string& folder);

}  // namespace settings
