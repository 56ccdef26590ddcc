// A record or an automatic backup puts back exactly what the adapter held:
// the input gives two adapter states (each value one the settings file holds
// and the Save streams write), the firmware's features, whether a record or
// an automatic backup is kept, and a fault at one request of the write of
// the second state's values (the adapter lost, a stall, a time-out, a short
// read). The file the write left is then put back, as the program's own, and
// the adapter must hold every value of it as at first, and a record put back
// must be gone.

#include "device/adapter_connection.h"
#include "device/vendor_link.h"
#include "emulator/emulator.h"
#include "fuzz/check.h"
#include "settings_file/restore_job.h"
#include "settings_file/settings_store.h"
#include "settings_file/toml_text.h"
#include "settings_file/write_record.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace settings;

// Takes bytes from the front of the input; 0 once it has ended.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A text the Save stream writes back as it is: `length` bytes without NUL
// (a NUL becomes a blank), then NUL bytes.
template <std::size_t N>
void fillText(std::array<std::uint8_t, N>& text, std::size_t length, Bytes& in)
{
    for (std::size_t i = 0; i < N; ++i) {
        const std::uint8_t b = i < length ? in.next() : 0;
        text[i] = i < length && b == 0 ? ' ' : b;
    }
}

void fillState(emu::AdapterState& s, Bytes& in)
{
    for (std::uint8_t* b :
         {&s.delayTime, &s.timeOut, &s.keepAlive, &s.resyncErrorBits, &s.lastFrameErrorBits, &s.optionFlags, &s.preBit,
          &s.postBit, &s.polarityFlags, &s.squelch[0], &s.squelch[1], &s.jitterBuffer, &s.status[0], &s.status[1],
          &s.status[2], &s.digitalCode, &s.beaconInterval, &s.gpsBits})
        *b = in.next();
    for (auto* call : {&s.myRepeaterCall, &s.altMyCall, &s.altYourCall, &s.altRpt1Call, &s.altRpt2Call})
        fillText(*call, call->size(), in);
    fillText(s.altMyCall2, s.altMyCall2.size(), in);
    fillText(s.slowDataMessage, in.next() % 21, in);
    fillText(s.beaconMessage, in.next() % 21, in);
    fillText(s.gpsMessage, s.gpsMessage.size(), in);
    s.baudCode = BaudCodes[in.next() % std::size(BaudCodes)];
    s.serialMode = ModeCodes[in.next() % std::size(ModeCodes)];
}

// The run's state folder, on tmpfs, removed when the run ends.
struct StateFolder {
    std::string path;
    StateFolder()
    {
        char made[] = "/dev/shm/brisel-fuzz-exact-XXXXXX";
        char instead[] = "/tmp/brisel-fuzz-exact-XXXXXX";
        if (mkdtemp(made) != nullptr) path = made;
        else if (mkdtemp(instead) != nullptr) path = instead;
        FUZZ_CHECK(!path.empty(), "no state folder");
    }
    ~StateFolder() { std::filesystem::remove_all(path); }
};

std::string contentsOf(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const StateFolder state;
    static const AdapterIdentity demo = identityOf(std::nullopt, state.path + "/demo.toml");
    const std::string record = recordPath(state.path, demo);
    const Pause none = [](int) {};
    Bytes in(data, size);
    emu::Emulator adapter, other;
    fillState(adapter.state(), in);
    fillState(other.state(), in);
    const std::uint8_t features = in.next();
    // Without slow data, the repeater group's status block is not read.
    for (int f = 1; f < 5; ++f) {
        adapter.setFeature(emu::Feature(f), (features >> f & 1) == 0);
        other.setFeature(emu::Feature(f), (features >> f & 1) == 0);
    }
    const bool asRecord = (features & 0x80) != 0;
    const int faultAt = in.next() | (in.next() & 1) << 8;
    const auto faultKind = emu::FaultKind(in.next() % 5);  // 4: no fault

    AdapterConnection cable(emu::openEmulated(adapter).transport, [&] { return emu::openEmulated(adapter); });
    VendorLink link(cable), otherLink(other);
    const StartUp started = startUp(link);
    const Snapshot first = readEveryGroup(link, started, false);

    RestoreSteps steps;
    steps.exact = true;
    steps.adapter = demo;
    if (asRecord) steps.recordPath = record;
    else steps.backupFolder = state.path + "/backups";
    std::string saved;  // the record as the job keeps it (its values stay as they are)
    steps.writing = [&](const RestoreOutcome&) {
        if (asRecord) saved = contentsOf(record);
        adapter.clearFaults();
        if (faultKind != emu::FaultKind(4)) adapter.injectFaultAt(faultAt, faultKind, 1);
    };
    FileContents change;
    change.values = readEveryGroup(otherLink, startUp(otherLink), false);
    RestoreOutcome outcome;
    try {
        restoreFile(link, none, started, change, steps, outcome);
    } catch (const AdapterGone&) {
        FUZZ_CHECK(faultKind == emu::FaultKind::Unplug, "lost without being unplugged");
    }
    if (!asRecord) saved = contentsOf(outcome.backupPath);
    FUZZ_CHECK(!saved.empty() || outcome.stage == RestoreOutcome::Stage::NothingToChange, "ended at stage %d",
               static_cast<int>(outcome.stage));
    if (!outcome.backupPath.empty()) unlink(outcome.backupPath.c_str());
    // A loss in the middle of a group leaves the record, naming that group
    // as maybe half written; any other end of the write removes it.
    const bool cutInGroup = outcome.restore.cut && !outcome.restore.cut->whole();
    if (asRecord && cutInGroup) {
        const std::optional<WriteRecord> left = readRecord(record);
        FUZZ_CHECK(left.has_value(), "the record left cannot be read");
        const std::vector<Group> half = halfWritten(*left);
        FUZZ_CHECK(std::find(half.begin(), half.end(), outcome.restore.cut->group) != half.end(),
                   "the record left does not name the group cut short:\n%s", contentsOf(record).c_str());
        unlink(record.c_str());
    }
    outcome = {};
    FUZZ_CHECK(!asRecord || access(record.c_str(), F_OK) != 0, "the record of a write that was told stays");
    adapter.plugIn();
    adapter.clearFaults();
    cable.reconnectIfLost();
    if (saved.empty()) return 0;  // the two held the same

    const FileContents file = readSettingsFile(saved);
    FUZZ_CHECK(file.problems.empty(), "a problem on line %d of:\n%s", file.problems.front().line, saved.c_str());
    FUZZ_CHECK(file.ownCopy.has_value(), "not taken as the program's own:\n%s", saved.c_str());
    RestoreSteps back;
    back.exact = file.ownCopy.has_value();
    back.readSerialPortAgain = true;
    back.adapter = demo;
    if (asRecord) back.recordPath = record;
    // A record as a crash leaves it is put back, and once more when the
    // adapter holds its values already: each time it goes.
    for (int pass = asRecord ? 2 : 1; pass > 0; --pass) {
        if (asRecord) std::ofstream(record) << saved;
        restoreFile(link, none, started, file, back, outcome);
        FUZZ_CHECK(outcome.stage == RestoreOutcome::Stage::Written ||
                       outcome.stage == RestoreOutcome::Stage::NothingToChange,
                   "ended at stage %d:\n%s", static_cast<int>(outcome.stage), saved.c_str());
        FUZZ_CHECK(pass == 2 || !asRecord || outcome.stage == RestoreOutcome::Stage::NothingToChange,
                   "written again from:\n%s", saved.c_str());
        outcome = {};
        FUZZ_CHECK(access(record.c_str(), F_OK) != 0, "the record put back stays:\n%s", saved.c_str());
    }
    const Snapshot after = readEveryGroup(link, started, true);
    // Every value the file holds is the first one; a group it holds, it
    // holds whole (an automatic backup holds every group).
    for (const file::Field& f : file::fields()) {
        const auto value = f.get(file.values);
        const std::string key = file::fullKey(f);
        if (!value) {
            FUZZ_CHECK(!f.get(first) || (asRecord && !file.values.has(f.group)), "%s left out of:\n%s", key.c_str(),
                       saved.c_str());
            continue;
        }
        FUZZ_CHECK(value == f.get(first), "%s = %s, first %s", key.c_str(), file::valueText(f, *value).c_str(),
                   valueText(first, key).value_or("(none)").c_str());
        FUZZ_CHECK(value == f.get(after), "%s = %s, put back as %s:\n%s", key.c_str(),
                   file::valueText(f, *value).c_str(), valueText(after, key).value_or("(not read)").c_str(),
                   saved.c_str());
    }
    return 0;
}
