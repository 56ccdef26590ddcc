// The fault matrix: every flow, every request of its stream, every fault the
// adapter can show (stall, time-out, short read, unplug from that request
// on). Each case must end, send nothing outside its field's range, and
// behave as required for the request that failed:
//
//  - a result nobody judges changes nothing but the buffer: the request
//    stream is the one a healthy adapter sees, and the windows show what a
//    healthy adapter answering zeros (or dropping the write) would leave;
//  - a judged result takes effect: a probe hides its feature, a guarded read
//    blanks and disables its control, a failed baud rate read or write ends
//    the serial port load or Save, a short firmware version piece ends the
//    version text.
//
// The expected outcome of each case comes from a second run of the same flow
// over an oracle: the same adapter with the same faults, but where every
// result that is not judged is turned into a success (zero bytes for a read,
// a silently dropped write). A program that judged such a result, or showed
// anything but the zero-filled buffer, differs from its oracle.

#include "app/eeprom_set.h"
#include "app/startup.h"
#include "device/vendor_link.h"
#include "dialogs/basicinfo.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "emulator/emulator.h"
#include "tests/support/fixture.h"
#include "tests/support/recording_host.h"
#include "tests/support/wire_rules.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

using emu::Feature;
using emu::FaultKind;

using wire_rules::offRange;

// ---------------------------------------------------------------------------
// Judged results.

enum class Consequence {
    None,            // judged, but its effect shows in the windows alone
    MenuOff,         // the named menu item stays disabled
    Blanked,         // the named edit boxes (and boxes) are blank and disabled
    NoSlowData,      // Form15 not created
    NoBeacon,        // Form17 not created
    NoSerialPort,    // Form12 not created, nothing of its load sent
    EndsFlow,        // nothing is sent after it
    EndsVersion,     // the version text ends with the pieces before it
};

struct Judged {
    std::uint8_t code;
    int occurrence;  // n-th request of the code within the flow, from 1
    Consequence consequence = Consequence::None;
    std::vector<const char*> names = {};
};

// What a failed read leaves in its buffer when nobody judges the result:
// normally the zeros it was filled with. The repeater and serial port Saves
// read each setting back into the buffer that held what was just written:
// the map names, for such a read code, the write code whose bytes stay.
using ReadIntoWritten = std::map<std::uint8_t, std::uint8_t>;

// ---------------------------------------------------------------------------
// The flows.

struct Flow {
    std::string name;
    std::vector<Feature> missing;
    bool isStartUp = false;
    // Runs after start-up and before faults are armed (loads a dialog, turns
    // the adapter's values away from what the dialog shows, ...).
    std::function<void(emu::Emulator&, Windows&)> before;
    std::function<void(Windows&)> act;
    std::vector<Judged> judged;
    ReadIntoWritten readIntoWritten = {};
};

// Every setting different from the emulator's defaults, so that a Save
// writes values the adapter does not hold yet and the read-back shows
// whether each write arrived.
void turnAdapterAway(emu::Emulator& emulator)
{
    emu::AdapterState& s = emulator.state();
    s.delayTime = 7;
    s.timeOut = 3;
    s.keepAlive = 99;
    s.resyncErrorBits = 2;
    s.lastFrameErrorBits = 20;
    s.optionFlags = 0x84;
    s.preBit = 0x0C;
    s.postBit = 0xA5;
    s.polarityFlags = 0x83;
    s.squelch = {0xFF, 0xC0};
    s.jitterBuffer = 200;
    s.myRepeaterCall = {'X', 'X', '0', 'X', ' ', ' ', ' ', ' '};
    s.altMyCall = {'Y', 'Y', '0', 'Y', ' ', ' ', ' ', 'B'};
    s.altMyCall2 = {'9', '9', '9', '9'};
    s.altYourCall = {'Z', 'Z', 'Z', ' ', ' ', ' ', ' ', ' '};
    s.altRpt1Call = {'Q', ' ', ' ', ' ', ' ', ' ', ' ', 'Q'};
    s.altRpt2Call = {'W', 'W', ' ', ' ', ' ', ' ', ' ', 'W'};
    s.status = {0xFC, 0x0E, 0x6F};
    s.digitalCode = 0x42;
    s.slowDataMessage = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j',
                         'k', 'l', 'm', 'n', 'o', 'p', 'q', 'r', 's', 't'};
    s.beaconInterval = 5;
    s.beaconMessage = {'Z', 'Y', 'X', 'W', 'V', 'U', 'T', 'S', 'R', 'Q',
                       'P', 'O', 'N', 'M', 'L', 'K', 'J', 'I', 'H', 'G'};
    s.baudCode = 12;
    s.serialMode = 6;
    s.gpsBits = 0x9C;
    s.gpsMessage.fill('#');
    s.firmwareVersion = "FW 9.99 long enough to need three pieces";
}

std::vector<Judged> startUpJudged()
{
    return {
        {0xB3, 1, Consequence::MenuOff, {"RS232C"}},
        {0xAF, 1, Consequence::MenuOff, {"SlowData"}},
        {0x59, 1, Consequence::MenuOff, {"Beacon"}},
        {0x72, 1},  // the second squelch probe decides
        {0x72, 2, Consequence::Blanked, {"SN_SQ", "CosCheck"}},
        {0x58, 1, Consequence::Blanked, {"JitterValue"}},
        {0xAF, 2, Consequence::NoSlowData},
        {0x59, 2, Consequence::NoBeacon},
        {0xB3, 2, Consequence::NoSerialPort},
        {0xB1, 1, Consequence::EndsFlow},
    };
}

std::string featureName(Feature f)
{
    switch (f) {
    case Feature::SlowData: return "SlowData";
    case Feature::Beacon: return "Beacon";
    case Feature::SerialPort: return "SerialPort";
    case Feature::Squelch: return "Squelch";
    case Feature::Jitter: return "Jitter";
    }
    return "?";
}

std::vector<Flow> allFlows()
{
    std::vector<Flow> flows;
    const Feature features[] = {Feature::SlowData, Feature::Beacon, Feature::SerialPort,
                                Feature::Squelch, Feature::Jitter};
    for (int mask = 0; mask < 32; ++mask) {
        Flow f;
        f.name = "StartUp";
        for (int b = 0; b < 5; ++b)
            if (mask & (1 << b)) {
                f.missing.push_back(features[b]);
                f.name += "-no" + featureName(features[b]);
            }
        f.isStartUp = true;
        f.judged = startUpJudged();
        flows.push_back(std::move(f));
    }

    auto away = [](emu::Emulator& e, Windows&) { turnAdapterAway(e); };
    auto loadedThenAway = [](std::function<void(Windows&)> load) {
        return [load](emu::Emulator& e, Windows& w) {
            load(w);
            turnAdapterAway(e);
        };
    };

    // The basic settings dialog, also without its two optional controls.
    for (const std::vector<Feature>& missing :
         {std::vector<Feature>{}, std::vector<Feature>{Feature::Squelch, Feature::Jitter}}) {
        const std::string suffix = missing.empty() ? "" : "-noSquelchJitter";
        auto load = [](Windows& w) { w.form7->BasicInfoSetting1Click(); };
        flows.push_back({"BasicOpening" + suffix, missing, false, away,
                         [](Windows& w) { w.form7->BasicInfoSetting1Click(); },
                         {{0xB3, 1}}});
        flows.push_back({"BasicReload" + suffix, missing, false, loadedThenAway(load),
                         [](Windows& w) { w.autoDetect->Reload1Click(); }, {}});
        flows.push_back({"BasicCancel" + suffix, missing, false, loadedThenAway(load),
                         [](Windows& w) { w.autoDetect->Cancel1Click(); },
                         {{0x58, 1, Consequence::Blanked, {"JitterValue"}}}});
        flows.push_back({"BasicSave" + suffix, missing, false, loadedThenAway(load),
                         [](Windows& w) { w.autoDetect->Save1Click(); },
                         {{0x72, 1, Consequence::Blanked, {"SN_SQ"}},
                          {0x58, 1, Consequence::Blanked, {"JitterValue"}}}});
    }

    auto repeater = [](Windows& w) { w.form7->RepeaterInfoSetting1Click(); };
    flows.push_back({"RepeaterOpening", {}, false, away, repeater, {}});
    flows.push_back({"RepeaterCancel", {}, false, loadedThenAway(repeater),
                     [](Windows& w) { w.form11->Cancel1Click(); }, {}});
    flows.push_back({"RepeaterSave", {}, false, loadedThenAway(repeater),
                     [](Windows& w) { w.form11->Ssve1Click(); }, {},
                     {{0x55, 0x46}, {0xA8, 0xA0}, {0xA9, 0xA1}, {0xAA, 0xA2}, {0xAB, 0xA3}, {0xAC, 0xA4}}});

    auto slowData = [](Windows& w) { w.form7->SlowDataClick(); };
    flows.push_back({"SlowDataOpening", {}, false, away, slowData, {}});
    flows.push_back({"SlowDataCancel", {}, false, loadedThenAway(slowData),
                     [](Windows& w) { w.form15->Cancel1Click(); }, {}});
    flows.push_back({"SlowDataSave", {}, false, loadedThenAway(slowData),
                     [](Windows& w) { w.form15->Save1Click(); }, {}});

    auto beacon = [](Windows& w) { w.form7->BeaconClick(); };
    flows.push_back({"BeaconOpening", {}, false, away, beacon, {}});
    flows.push_back({"BeaconCancel", {}, false, loadedThenAway(beacon),
                     [](Windows& w) { w.form17->Cancel1Click(); }, {}});
    flows.push_back({"BeaconSave", {}, false, loadedThenAway(beacon),
                     [](Windows& w) { w.form17->Save1Click(); }, {}});

    // The serial port dialog loads itself at start-up; its menu item only
    // shows it and sends nothing, so its opening has no stream to fault.
    flows.push_back({"SerialCancel", {}, false, away, [](Windows& w) { w.form12->Cancel1Click(); },
                     {{0xB1, 1, Consequence::EndsFlow}}});
    Flow serialSave{"SerialSave", {}, false, away, [](Windows& w) { w.form12->Save1Click(); },
                    {{0xB0, 1, Consequence::EndsFlow}}};
    serialSave.readIntoWritten = {{0xB1, 0xB0}, {0xB3, 0xB2}, {0xB5, 0xB4}};
    flows.push_back(serialSave);

    flows.push_back({"FirmwareVersion", {}, false, away,
                     [](Windows& w) { w.form7->PICVersion1Click(); },
                     {{0xFF, 1, Consequence::EndsVersion}, {0xFF, 2, Consequence::EndsVersion},
                      {0xFF, 3, Consequence::EndsVersion}, {0xFF, 4, Consequence::EndsVersion},
                      {0xFF, 5, Consequence::EndsVersion}, {0xFF, 6, Consequence::EndsVersion}}});
    return flows;
}

// ---------------------------------------------------------------------------
// The transport between the program and the emulated adapter. In the oracle
// role it turns each failed result that nobody judges into what a healthy
// adapter would have given.

class OracleTransport final : public Transport {
public:
    explicit OracleTransport(emu::Emulator& emulator) : emulator_(emulator) {}

    void arm(const Flow* flow, bool oracle)
    {
        flow_ = flow;
        oracle_ = oracle;
        seen_.fill(0);
        for (auto& d : written_) d.clear();
    }
    void disarm() { flow_ = nullptr; }

    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                       std::uint16_t index, std::uint8_t* data, int length, int timeoutMs) override
    {
        const int occurrence = ++seen_[request];
        const bool isRead = (requestType & 0x80) != 0;
        const int result =
            emulator_.controlRequest(requestType, request, value, index, data, length, timeoutMs);
        if (!isRead) {
            if (length == 0)
                written_[request] = {static_cast<std::uint8_t>(value & 0xFF)};
            else
                written_[request].assign(data, data + length);
        }
        if (flow_ == nullptr || !oracle_ || isJudged(request, occurrence)) return result;
        if (isRead) {
            // A failure leaves the buffer as the program filled it; a short
            // answer leaves the bytes not received so.
            const int received = std::max(result, 0);
            for (int i = received; i < length; ++i) data[i] = presetByte(request, i);
            return length;
        }
        return result < 0 ? length : result;
    }

private:
    bool isJudged(std::uint8_t code, int occurrence) const
    {
        for (const Judged& j : flow_->judged)
            if (j.code == code && j.occurrence == occurrence) return true;
        return false;
    }
    std::uint8_t presetByte(std::uint8_t readCode, int at) const
    {
        const auto it = flow_->readIntoWritten.find(readCode);
        if (it == flow_->readIntoWritten.end()) return 0;
        const std::vector<std::uint8_t>& sent = written_[it->second];
        return at < static_cast<int>(sent.size()) ? sent[static_cast<std::size_t>(at)] : 0;
    }

    emu::Emulator& emulator_;
    const Flow* flow_ = nullptr;
    bool oracle_ = false;
    std::array<int, 256> seen_{};
    std::array<std::vector<std::uint8_t>, 256> written_{};
};

// ---------------------------------------------------------------------------
// A whole program over one emulated adapter.

struct MatrixRig {
    emu::Emulator emulator;
    OracleTransport transport{emulator};
    VendorLink link{transport};
    RecordingHost host{emulator};
    Context context() { return Context{link, host}; }
};

// Everything the windows show: every edit box, check box, radio button and
// menu item, with its text, check state and enabled state, and which
// optional dialogs exist.
std::vector<std::string> snapshot(const Windows& w)
{
    std::vector<std::string> out;
    auto dump = [&out](const char* window, const QWidget* root) {
        if (root == nullptr) {
            out.push_back(std::string(window) + " absent");
            return;
        }
        for (const QLineEdit* e : root->findChildren<QLineEdit*>()) {
            if (e->objectName().isEmpty()) continue;
            out.push_back(std::string(window) + "." + e->objectName().toStdString() + " '" +
                          e->text().toStdString() + "'" + (e->isEnabled() ? "" : " disabled"));
        }
        for (const QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
            if (b->objectName().isEmpty() || !b->isCheckable()) continue;
            out.push_back(std::string(window) + "." + b->objectName().toStdString() +
                          (b->isChecked() ? " on" : " off") + (b->isEnabled() ? "" : " disabled"));
        }
    };
    for (const QAction* a : w.form7->findChildren<QAction*>(Qt::FindDirectChildrenOnly)) {
        if (a->objectName().isEmpty()) continue;
        out.push_back("Form7." + a->objectName().toStdString() + (a->isEnabled() ? "" : " disabled"));
    }
    dump("AutoDetect", w.autoDetect);
    dump("Form11", w.form11);
    dump("Form15", w.form15);
    dump("Form17", w.form17);
    dump("Form12", w.form12);
    return out;
}

struct FaultCase {
    FaultKind kind;
    int index;
    int shortBytes = 0;
};

struct Outcome {
    std::vector<std::string> stream;      // pictures of requests and pauses
    std::vector<emu::LogEntry> log;
    std::vector<std::string> windows;     // snapshot
    QStringList messages;
    QStringList shown;
    std::set<std::string> absentDialogs;
};

// Runs one flow on a fresh program; `fault` empty gives the healthy stream.
Outcome runFlow(const Flow& flow, const std::optional<FaultCase>& fault, bool oracle)
{
    MatrixRig rig;
    for (Feature f : flow.missing) rig.emulator.setFeature(f, false);
    auto arm = [&] {
        rig.emulator.clearLog();
        rig.emulator.clearFaults();
        rig.host.messages.clear();
        rig.host.shown.clear();
        if (fault) rig.emulator.injectFaultAt(fault->index, fault->kind, fault->shortBytes);
        rig.transport.arm(&flow, oracle);
    };
    Windows w = [&] {
        if (flow.isStartUp) {
            arm();
            return createWindows(rig.context());
        }
        Windows built = createWindows(rig.context());
        if (flow.before) flow.before(rig.emulator, built);
        arm();
        flow.act(built);
        return built;
    }();
    rig.transport.disarm();

    Outcome o;
    o.log = rig.emulator.log();
    o.stream = pictures(o.log);
    o.windows = snapshot(w);
    o.messages = rig.host.messages;
    o.shown = rig.host.shown;
    if (w.form15 == nullptr) o.absentDialogs.insert("Form15");
    if (w.form17 == nullptr) o.absentDialogs.insert("Form17");
    if (w.form12 == nullptr) o.absentDialogs.insert("Form12");
    return o;
}

// ---------------------------------------------------------------------------
// A watchdog: a case that does not end within its time is a hang.

class Watchdog {
public:
    Watchdog()
        : thread_([this] {
              std::unique_lock<std::mutex> lock(mutex_);
              while (!stop_) {
                  if (armed_ && std::chrono::steady_clock::now() > deadline_) {
                      std::fprintf(stderr, "HANG: case %s did not end\n", label_.c_str());
                      std::fflush(stderr);
                      _exit(3);
                  }
                  wake_.wait_for(lock, std::chrono::milliseconds(200));
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void arm(const std::string& label, std::chrono::seconds limit)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        label_ = label;
        deadline_ = std::chrono::steady_clock::now() + limit;
        armed_ = true;
    }
    void disarm()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        armed_ = false;
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool armed_ = false;
    std::string label_;
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

const char* kindName(FaultKind k)
{
    switch (k) {
    case FaultKind::Stall: return "stall";
    case FaultKind::Timeout: return "time-out";
    case FaultKind::ShortRead: return "short read";
    case FaultKind::Unplug: return "unplug";
    }
    return "?";
}

int occurrenceAt(const std::vector<emu::LogEntry>& log, std::size_t at)
{
    int n = 0;
    for (std::size_t i = 0; i <= at; ++i)
        if (log[i].kind == emu::LogEntry::Kind::Request && log[i].request == log[at].request) ++n;
    return n;
}

// The explicit effect of each judged result that failed in this outcome.
void checkConsequences(const Flow& flow, const Outcome& o, const std::string& label)
{
    auto shows = [&o](const std::string& line) {
        return std::find(o.windows.begin(), o.windows.end(), line) != o.windows.end();
    };
    std::string version;
    bool versionEnded = false;
    for (std::size_t i = 0; i < o.log.size(); ++i) {
        const emu::LogEntry& e = o.log[i];
        if (e.kind != emu::LogEntry::Kind::Request) continue;
        if (e.request == 0xFF && !versionEnded) {
            if (e.result > 0) version.append(e.data.begin(), e.data.end());
            versionEnded = e.result != 8;
        }
        const int occurrence = occurrenceAt(o.log, i);
        for (const Judged& j : flow.judged) {
            if (j.code != e.request || j.occurrence != occurrence) continue;
            // A short firmware version piece ends the text although it succeeded.
            if (j.consequence == Consequence::EndsVersion) {
                if (e.result != 8) {
                    std::size_t after = 0;
                    for (std::size_t k = i + 1; k < o.log.size(); ++k)
                        if (o.log[k].kind == emu::LogEntry::Kind::Request) ++after;
                    EXPECT_EQ(after, 0u) << label << ": reading went on after the short piece";
                }
                continue;
            }
            if (e.result >= 0) continue;
            switch (j.consequence) {
            case Consequence::None:
            case Consequence::EndsVersion: break;
            case Consequence::MenuOff:
                for (const char* name : j.names)
                    EXPECT_TRUE(shows(std::string("Form7.") + name + " disabled"))
                        << label << ": menu item " << name << " enabled after its probe failed";
                break;
            case Consequence::Blanked:
                for (const char* name : j.names) {
                    bool found = false;
                    for (const std::string& line : o.windows) {
                        const std::string prefix = std::string(".") + name + " ";
                        const auto at = line.find(prefix);
                        if (at == std::string::npos) continue;
                        found = true;
                        EXPECT_NE(line.find(" disabled"), std::string::npos)
                            << label << ": " << line << " not disabled";
                        if (line.find(" '") != std::string::npos) {
                            EXPECT_NE(line.find(" ''"), std::string::npos)
                                << label << ": " << line << " not blank";
                        }
                    }
                    EXPECT_TRUE(found) << label << ": no control " << name;
                }
                break;
            case Consequence::NoSlowData:
                EXPECT_TRUE(o.absentDialogs.count("Form15")) << label;
                break;
            case Consequence::NoBeacon:
                EXPECT_TRUE(o.absentDialogs.count("Form17")) << label;
                break;
            case Consequence::NoSerialPort:
                EXPECT_TRUE(o.absentDialogs.count("Form12")) << label;
                for (std::size_t k = i + 1; k < o.log.size(); ++k)
                    EXPECT_NE(o.log[k].request, 0xB1) << label << ": serial port loaded anyway";
                break;
            case Consequence::EndsFlow:
                for (std::size_t k = i + 1; k < o.log.size(); ++k)
                    EXPECT_NE(o.log[k].kind, emu::LogEntry::Kind::Request)
                        << label << ": sent " << picture(o.log[k]) << " after the failed 0x"
                        << std::hex << int(e.request);
                break;
            }
        }
    }
    if (flow.name == "FirmwareVersion") {
        ASSERT_EQ(o.messages.size(), 1) << label;
        const std::string shown = version.substr(0, version.find('\0'));
        EXPECT_EQ(o.messages[0].toLatin1().toStdString(), shown) << label;
    }
}

struct Totals {
    int cases = 0;
    int flows = 0;
};

TEST(FaultMatrix, EveryFaultAtEveryRequestOfEveryFlow)
{
    Watchdog watchdog;
    Totals totals;
    std::map<std::string, int> perKind;
    const std::vector<Flow> flows = allFlows();
    for (const Flow& flow : flows) {
        watchdog.arm(flow.name + " healthy", std::chrono::seconds(20));
        const Outcome healthy = runFlow(flow, std::nullopt, false);
        for (const emu::LogEntry& e : healthy.log) {
            const std::string bad = offRange(e);
            EXPECT_TRUE(bad.empty()) << flow.name << " healthy: " << bad;
        }
        ++totals.flows;
        int requestCount = 0;
        for (const emu::LogEntry& e : healthy.log)
            if (e.kind == emu::LogEntry::Kind::Request) ++requestCount;
        ASSERT_GT(requestCount, 0) << flow.name << " sends nothing";

        std::vector<const emu::LogEntry*> requests;
        for (const emu::LogEntry& e : healthy.log)
            if (e.kind == emu::LogEntry::Kind::Request) requests.push_back(&e);

        for (int index = 0; index < requestCount; ++index) {
            for (FaultKind kind :
                 {FaultKind::Stall, FaultKind::Timeout, FaultKind::ShortRead, FaultKind::Unplug}) {
                const emu::LogEntry& target = *requests[index];
                FaultCase fc{kind, index, 0};
                if (kind == FaultKind::ShortRead) {
                    // Only a read with a data stage can come back short.
                    if (!target.isRead() || target.length == 0) continue;
                    fc.shortBytes = target.length / 2;
                }
                std::ostringstream label;
                label << flow.name << " " << kindName(kind) << " at request " << index << " ("
                      << picture(target) << ")";
                watchdog.arm(label.str(), std::chrono::seconds(20));
                const Outcome faulted = runFlow(flow, fc, false);
                const Outcome expected = runFlow(flow, fc, true);
                watchdog.disarm();
                ++totals.cases;
                ++perKind[kindName(kind)];

                for (const emu::LogEntry& e : faulted.log) {
                    const std::string bad = offRange(e);
                    EXPECT_TRUE(bad.empty()) << label.str() << ": " << bad;
                }
                EXPECT_EQ(faulted.stream, expected.stream) << label.str() << ": request stream";
                EXPECT_EQ(faulted.windows, expected.windows) << label.str() << ": what the windows show";
                EXPECT_EQ(faulted.messages, expected.messages) << label.str() << ": messages";
                EXPECT_EQ(faulted.shown, expected.shown) << label.str() << ": dialogs shown";
                checkConsequences(flow, faulted, label.str());
                if (HasFailure()) {
                    std::fprintf(stderr, "first failing case: %s\n", label.str().c_str());
                    return;
                }
            }
        }
    }
    std::printf("fault matrix: %d cases over %d flows (", totals.cases, totals.flows);
    bool first = true;
    for (const auto& [kind, n] : perKind) {
        std::printf("%s%s %d", first ? "" : ", ", kind.c_str(), n);
        first = false;
    }
    std::printf(")\n");
    RecordProperty("cases", totals.cases);
    EXPECT_GT(totals.cases, 1000);
}

// A fault case differs from a healthy run: a stalled 0x58 in Reload is not
// judged, so the box shows the zero-filled buffer, not the adapter's value.
TEST(FaultMatrix, AnUnjudgedFailureShowsTheZeroFilledBuffer)
{
    Flow flow{"BasicReload", {}, false, nullptr, [](Windows& w) { w.autoDetect->Reload1Click(); }, {}};
    const Outcome healthy = runFlow(flow, std::nullopt, false);
    int jitterIndex = -1, n = 0;
    for (const emu::LogEntry& e : healthy.log) {
        if (e.kind != emu::LogEntry::Kind::Request) continue;
        if (e.request == 0x58) jitterIndex = n;
        ++n;
    }
    ASSERT_GE(jitterIndex, 0);
    const FaultCase fc{FaultKind::Stall, jitterIndex, 0};
    const Outcome faulted = runFlow(flow, fc, false);
    const Outcome expected = runFlow(flow, fc, true);
    auto shows = [](const Outcome& o, const char* line) {
        return std::find(o.windows.begin(), o.windows.end(), line) != o.windows.end();
    };
    EXPECT_TRUE(shows(healthy, "AutoDetect.JitterValue '20'"));
    EXPECT_TRUE(shows(expected, "AutoDetect.JitterValue '0'"));
    EXPECT_TRUE(shows(faulted, "AutoDetect.JitterValue '0'"));
    EXPECT_EQ(faulted.stream, healthy.stream);
}

}  // namespace
