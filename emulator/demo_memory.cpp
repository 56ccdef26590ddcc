#include "emulator/demo_memory.h"

#include "device/adapter_connection.h"
#include "device/vendor_link.h"
#include "settings/start_up.h"
#include "settings_file/file_writer.h"
#include "settings_file/put_settings.h"
#include "settings_file/restore.h"
#include "settings_file/settings_store.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace emu {
namespace {

using Kind = DemoMemoryError::Kind;

// The lock on the file now at `path`.
AdapterLock lockFile(const std::string& path)
{
    LockAttempt attempt = lockAdapterNode(path);
    switch (attempt.outcome) {
    case LockAttempt::Outcome::Taken: return std::move(attempt.lock);
    case LockAttempt::Outcome::InUse:
        throw DemoMemoryError(Kind::InUse, {settings::StoreProblem::Kind::CannotRead, path}, attempt.holder);
    default: throw DemoMemoryError(Kind::Unreadable, {settings::StoreProblem::Kind::CannotRead, path, errno});
    }
}

// Only a regular file (or none) is taken: opening a pipe or a device to lock
// it could wait for ever or touch hardware.
bool exists(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return false;
        throw DemoMemoryError(Kind::Unreadable, {settings::StoreProblem::Kind::CannotRead, path, errno});
    }
    if (!S_ISREG(st.st_mode))
        throw DemoMemoryError(Kind::Unreadable, {settings::StoreProblem::Kind::NotRegularFile, path});
    return true;
}

}  // namespace

std::string defaultDemoFile()
{
    return settings::pathIn(settings::stateFolder(), "demo-adapter.toml");
}

std::string settingsFileOf(const AdapterState& state)
{
    // Read over the protocol from a copy with every feature, as brisel-ctl
    // backup reads an adapter: the groups a --lacking firmware hides are kept.
    Emulator copy;
    copy.state() = state;
    VendorLink link(copy);
    const settings::StartUp started = settings::startUp(link);
    const settings::Snapshot held = settings::readGroups(link, started, settings::groupsPresent(started.features));
    return settings::writeSettingsFile(held, settings::readOrigin(link, started.features));
}

DemoMemory::DemoMemory(Emulator& adapter, std::string path, bool afresh) : adapter_(adapter), path_(std::move(path))
{
    if (!exists(path_)) {
        try {
            if (path_ == defaultDemoFile()) settings::makePrivateFolder(settings::stateFolder());
            // Another program may make it at the same moment: either file is a fresh one.
            settings::writeWholeFile(path_, settingsFileOf(AdapterState{}), false);
        } catch (const settings::WriteError& error) {
            if (!error.taken()) throw DemoMemoryError(Kind::CannotWrite, settings::cannotWrite(error).problem());
        }
        exists(path_);
    }
    lock_ = lockFile(path_);
    if (afresh) {
        adapter_.state() = AdapterState{};
        write(adapter_.state());
        return;
    }
    try {
        const settings::FileContents contents = settings::loadSettingsFile(path_);
        VendorLink quiet(adapter_);
        settings::putSettings(quiet, contents.values);
        adapter_.clearLog();
    } catch (const settings::StoreError& error) {
        throw DemoMemoryError(error.kind() == settings::StoreError::Kind::Unreadable ? Kind::Unreadable : Kind::Invalid,
                              error.problem());
    }
    kept_ = adapter_.state();
}

void DemoMemory::keep()
{
    if (adapter_.state() != kept_) write(adapter_.state());
}

void DemoMemory::write(const AdapterState& state)
{
    try {
        settings::writeWholeFile(path_, settingsFileOf(state), true);
    } catch (const settings::WriteError& error) {
        throw DemoMemoryError(Kind::CannotWrite, settings::cannotWrite(error).problem());
    }
    // The file now at the path is a new one: the lock moves to it.
    lock_ = lockFile(path_);
    kept_ = state;
}

}  // namespace emu
