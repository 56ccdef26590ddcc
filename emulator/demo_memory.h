#pragma once
// The demo adapter's memory: what the emulated adapter holds is kept between
// runs in a settings file, as a real adapter keeps its settings when it is
// unplugged. brisel-ctl --demo and brisel-setting-demo share the file, since
// they emulate the same adapter. While a program uses the file it holds a
// lock on it, as on a device node, so a second program finds the demo
// adapter in use.

#include "device/adapter_lock.h"
#include "emulator/emulator.h"
#include "settings_file/settings_store.h"

#include <stdexcept>
#include <string>

namespace emu {

// stateFolder()/demo-adapter.toml: the file both demos use unless told
// otherwise. Throws settings::StoreError when there is no state folder.
std::string defaultDemoFile();

class DemoMemoryError : public std::runtime_error {
public:
    enum class Kind {
        InUse,       // another program holds the file (holder()) at problem().path
        Unreadable,  // the file cannot be read, or is not a regular file
        Invalid,     // the file is not a settings file; problem() gives each problem
        CannotWrite  // the file cannot be made or written
    };
    DemoMemoryError(Kind kind, settings::StoreProblem problem, AdapterHolder holder = {})
        : std::runtime_error("the demo adapter's file could not be used"), kind_(kind), problem_(std::move(problem)),
          holder_(std::move(holder))
    {}
    Kind kind() const { return kind_; }
    // What went wrong with the file, and which file.
    const settings::StoreProblem& problem() const { return problem_; }
    // For InUse: the program holding the file, as a device node's lock tells it.
    const AdapterHolder& holder() const { return holder_; }

private:
    Kind kind_;
    settings::StoreProblem problem_;
    AdapterHolder holder_;
};

class DemoMemory {
public:
    // Takes the file at `path` for `adapter`: made with the factory settings
    // when there is none (and its folder, when it is the default one), locked,
    // and read into the adapter. `afresh`: the factory settings replace what
    // the file held. Throws DemoMemoryError.
    DemoMemory(Emulator& adapter, std::string path, bool afresh);

    // Writes what the adapter holds to the file, whole or not at all, when it
    // differs from what was last read or written. Throws DemoMemoryError
    // (CannotWrite, or InUse when another program took the file meanwhile).
    void keep();

    const std::string& path() const { return path_; }

private:
    void write(const AdapterState& state);

    Emulator& adapter_;
    std::string path_;
    AdapterLock lock_;
    AdapterState kept_;
};

// The settings file text of what `state` holds, every group included: the
// factory settings of a fresh Emulator give the file a fresh demo starts from.
std::string settingsFileOf(const AdapterState& state);

}  // namespace emu
