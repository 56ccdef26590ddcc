#pragma once
// brisel-ctl as a function: the command line in, the exit status out. The
// program's main() gives it the real streams, clock and adapter; tests give
// their own.

#include "device/adapter_connection.h"
#include "interrupts/stop_request.h"
#include "settings/pause.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace emu {
class Emulator;
}

class JsonReport;
struct LastWord;

// What brisel-ctl runs with besides its streams.
struct CtlSetup {
    // The emulated adapter of --demo; without one a fresh one is made.
    emu::Emulator* demoAdapter = nullptr;
    // Takes the pauses between requests; by default it sleeps.
    settings::Pause pause;
    // Local date and time for the names of automatic backups.
    std::function<std::string()> timeStamp;
    // The folder that holds automatic backups; empty: from the environment.
    std::string backupFolder;
    // The folder of the records writes leave; empty: the state folder.
    std::string stateFolder;
    // The demo adapter's file, as an absolute path; empty: none.
    std::string demoFile;
    // The bus the adapter is looked for on; not set: USB.
    std::function<AdapterWalk()> busWalk;
    // The file a command saved whole, told when standard output then fails;
    // shared by the copies a command runs with.
    std::shared_ptr<std::string> savedFile = std::make_shared<std::string>();
    // Asked by restore and set between the groups they write; runCtlProgram
    // gives the signals' request.
    interrupts::StopRequest stop = {};
};

struct CtlIo : CtlSetup {
    CtlIo(std::ostream& out, std::ostream& err) : out(out), err(err) {}
    CtlIo(std::ostream& out, std::ostream& err, const CtlSetup& setup) : CtlSetup(setup), out(out), err(err) {}

    std::ostream& out;  // data only: settings files, values, listings
    std::ostream& err;  // messages and the trace
    // Under --json: where the command puts what it found; its words on
    // `out` are then not shown.
    JsonReport* report = nullptr;
    // The end of the command's output, which runCtl puts out unless
    // tellLastWord did.
    LastWord* lastWord = nullptr;
};

inline constexpr const char* OutputLost = "standard output cannot be written";
// OutputLost, and the file the command saved whole, if it saved one, as
// standard error shows it.
std::string outputLostText(const CtlSetup& setup);

// Runs the command, then flushes io.out: when that fails, the status is 73
// unless the command had failed already.
int runCtl(int argc, char** argv, CtlIo& io);

// Runs `rest`, the end of a command that writes to the adapter, and puts
// out the command's last word at once: what failed, the JSON document, and
// standard output flushed. The job that calls it from its `told` step
// keeps the record of its write until then. runCtl then adds nothing but
// the line of a later failure.
void tellLastWord(CtlIo& io, const std::function<int()>& rest);

// brisel-ctl as its main() runs it, over the process's standard output:
// takes SIGINT, SIGTERM and SIGHUP as interrupts/signals.h says (io.stop is
// their request), runs the command,
// closes standard output, and ends by a signal that arrived while the
// adapter or a file was being written, once that is done and told.
int runCtlProgram(int argc, char** argv, CtlIo& io);
