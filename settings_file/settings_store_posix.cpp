// Reading a file whole, the state folder and the local time, on Linux.
#include "device/utf8.h"
#include "settings_file/read_whole.h"
#include "settings_file/settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace settings {

bool nothingAt(const std::string& path)
{
    struct stat facts {};
    return lstat(path.c_str(), &facts) != 0 && errno == ENOENT;
}

std::string readWholeFile(const std::string& path, bool regularOnly)
{
    const auto unreadable = [&path](int error) {
        return StoreError(StoreError::Kind::Unreadable, {StoreProblem::Kind::CannotRead, path, error});
    };
    const bool standardInput = path == "-";
    const int fd =
        standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0));
    if (fd < 0) throw unreadable(errno);
    const auto done = [&] {
        if (!standardInput) close(fd);
    };
    if (regularOnly) {
        struct stat st {};
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            done();
            throw StoreError(StoreError::Kind::Unreadable, {StoreProblem::Kind::NotRegularFile, path});
        }
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            done();
            throw unreadable(error);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > LargestFile) {
            struct stat st {};
            const bool sized = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
            done();
            StoreProblem large{StoreProblem::Kind::TooLarge, path};
            if (sized) large.size = static_cast<std::uint64_t>(st.st_size);
            large.largest = LargestFile;
            throw StoreError(StoreError::Kind::Invalid, large);
        }
    }
    done();
    return bytes;
}

namespace {

StoreError noStateFolder(StoreProblem problem)
{
    return StoreError(StoreError::Kind::CannotWrite, std::move(problem));
}

// A folder name is shown to the user and given in JSON, which is UTF-8: a
// folder whose name is not could not be found again from what is shown.
std::string utf8Folder(std::string folder, const char* variable)
{
    for (std::size_t at = 0; at < folder.size();)
        if (utf8::nextCharacter(folder, at) == utf8::NotUtf8)
            throw noStateFolder({StoreProblem::Kind::StateNotUtf8, folder, 0, {}, 0, {}, {}, variable});
    return folder;
}

}  // namespace

std::string stateFolder()
{
    // As the XDG rule has it, a relative XDG_STATE_HOME is ignored.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return utf8Folder(std::string(state) + "/brisel-setting", "XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') throw noStateFolder({StoreProblem::Kind::NoHome});
    if (home[0] != '/') throw noStateFolder({StoreProblem::Kind::HomeNotAbsolute, home});
    return utf8Folder(std::string(home) + "/.local/state/brisel-setting", "XDG_STATE_HOME");
}

std::string localTimeText(const char* format)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

}  // namespace settings
