#pragma once
// An in-memory DV Brisel: answers the whole vendor command set with state,
// can lack each optional feature, injects faults and logs every request and
// pause in order. The tests, the benchmark and the demo program run on it.

#include "device/adapter_connection.h"
#include "device/transport.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace emu {

// What the adapter holds. Fields are the bytes the firmware reports.
struct AdapterState {
    // Basic settings
    std::uint8_t delayTime = 30;  // units of 10 ms
    std::uint8_t timeOut = 18;    // units of 10 s
    std::uint8_t keepAlive = 10;  // units of 10 ms
    std::uint8_t resyncErrorBits = 12;
    std::uint8_t lastFrameErrorBits = 8;
    std::uint8_t optionFlags = 0x0A;  // CRC check, last frame send; full duplex
    std::uint8_t preBit = 0xF0;
    std::uint8_t postBit = 0x66;
    std::uint8_t polarityFlags = 0x00;
    std::array<std::uint8_t, 2> squelch = {0x20, 0x00};  // level 128
    std::uint8_t jitterBuffer = 20;

    // Repeater settings
    std::array<std::uint8_t, 8> myRepeaterCall = {'N', '0', 'R', 'P', 'T', ' ', ' ', 'A'};
    std::array<std::uint8_t, 8> altMyCall = {'N', '0', 'C', 'A', 'L', 'L', ' ', ' '};
    std::array<std::uint8_t, 4> altMyCall2 = {'T', 'E', 'S', 'T'};
    std::array<std::uint8_t, 8> altYourCall = {'C', 'Q', 'C', 'Q', 'C', 'Q', ' ', ' '};
    std::array<std::uint8_t, 8> altRpt1Call = {'N', '0', 'R', 'P', 'T', ' ', ' ', 'A'};
    std::array<std::uint8_t, 8> altRpt2Call = {'N', '0', 'R', 'P', 'T', ' ', ' ', 'G'};
    std::array<std::uint8_t, 3> status = {0x03, 0x00, 0x00};

    // Slow data
    std::uint8_t digitalCode = 0x00;
    std::array<std::uint8_t, 20> slowDataMessage = {'D', 'V', ' ', 'B', 'r', 'i', 's', 'e', 'l'};

    // Beacon
    std::uint8_t beaconInterval = 60;  // units of 10 s
    std::array<std::uint8_t, 20> beaconMessage = {'Q', 'R', 'V', ' ', 'D', 'V'};

    // Serial port and GPS
    std::uint8_t baudCode = 96;
    std::uint8_t serialMode = 0;
    std::uint8_t gpsBits = 0x03;
    std::array<std::uint8_t, 29> gpsMessage = {'D', 'V', ' ', 'B', 'r', 'i', 's', 'e', 'l', ' ',
                                               ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                               ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};

    std::string firmwareVersion = "DV Brisel PIC V01.07";

    bool operator==(const AdapterState&) const = default;
};

// Optional features a firmware may lack; each makes its requests fail.
enum class Feature { SlowData, Beacon, SerialPort, Squelch, Jitter };

enum class FaultKind {
    Stall,      // the request fails as a stalled control pipe (-EPIPE)
    Timeout,    // the request fails after its time-out (-ETIMEDOUT)
    ShortRead,  // a read returns only `shortBytes` bytes
    Unplug,     // this request and every later one fail (-ENODEV)
};

struct Fault {
    FaultKind kind = FaultKind::Stall;
    std::uint8_t code = 0;  // the request code it applies to
    int occurrence = 1;     // the n-th request of that code, from 1
    int shortBytes = 0;     // for ShortRead
};

inline constexpr int StallResult = -32;                   // -EPIPE
inline constexpr int TimeoutResult = -110;                // -ETIMEDOUT
inline constexpr int UnpluggedResult = DeviceGoneResult;  // -ENODEV

struct LogEntry {
    enum class Kind { Request, Pause } kind = Kind::Request;
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    int length = 0;  // bytes asked for or offered
    int timeoutMs = 0;
    std::vector<std::uint8_t> data;  // bytes sent, or bytes returned by a read
    int result = 0;
    int pauseMs = 0;  // for a pause

    bool isRead() const { return (requestType & 0x80) != 0; }
};

class Emulator final : public Transport {
public:
    Emulator();

    AdapterState& state() { return state_; }
    const AdapterState& state() const { return state_; }

    void setFeature(Feature feature, bool present);
    bool hasFeature(Feature feature) const;

    // An adapter that does not take what is written: every write is answered
    // as done, and the adapter keeps the values it held.
    void keepValues(bool keep) { keepsValues_ = keep; }

    // A fault on the n-th request of one code.
    void injectFault(const Fault& fault);
    // A fault on the n-th request overall (counted from 0 since the last
    // clearFaults), whatever its code.
    void injectFaultAt(int requestIndex, FaultKind kind, int shortBytes = 0);
    void clearFaults();
    // Every request from the k-th one on (counted from 0) fails as unplugged.
    void unplugFrom(int requestIndex);
    // Whether a bus walk would find it now, and plugging it in again (which
    // starts every text transfer afresh, as a power cycle does).
    bool pluggedIn() const { return unplugFrom_ < 0 || requestCount_ < unplugFrom_; }
    void plugIn();

    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override;

    // Records a pause the program took between requests.
    void recordPause(int ms);

    const std::vector<LogEntry>& log() const { return log_; }
    void clearLog() { log_.clear(); }
    // Requests only, without the pauses.
    std::vector<LogEntry> requests() const;

    // Called with each entry as it is logged (the demo prints them).
    void setListener(std::function<void(const LogEntry&)> listener) { listener_ = std::move(listener); }

private:
    bool codeBelongsToMissingFeature(std::uint8_t code) const;
    int answerRead(std::uint8_t code, std::uint8_t* data, int length);
    int answerWrite(std::uint8_t code, std::uint16_t value, const std::uint8_t* data, int length);
    void append(LogEntry entry);

    AdapterState state_;
    std::array<bool, 5> features_{true, true, true, true, true};
    std::vector<Fault> faults_;
    std::vector<std::pair<int, Fault>> indexFaults_;
    std::array<int, 256> seen_{};  // requests of each code since clearFaults
    int requestCount_ = 0;         // requests since clearFaults
    int unplugFrom_ = -1;
    bool keepsValues_ = false;

    // Chunked text positions.
    std::size_t slowReadPos_ = 0, beaconReadPos_ = 0, gpsReadPos_ = 0;
    std::size_t slowWritePos_ = 0, beaconWritePos_ = 0, gpsWritePos_ = 0;
    std::size_t versionPos_ = 0;

    std::vector<LogEntry> log_;
    std::function<void(const LogEntry&)> listener_;
};

// What a bus walk gives for the emulated adapter: found while it is plugged
// in, reached through a transport that leaves the emulator to its owner.
AdapterAccess openEmulated(Emulator& emulator);

// An emulated adapter on the bus and where it is plugged in. A test that
// plugs it in again at the same port gives it another address, as the
// kernel does.
struct BusSlot {
    Emulator* adapter = nullptr;
    std::string port;  // its USB port path, "1-1.2"
    AdapterAddress address;
    // Another program holds it: who, as far as the lock tells.
    std::optional<AdapterHolder> heldBy{};
};

// A walk of `bus`: the adapters plugged in, in the bus's order. One held by
// another program is not opened. `bus` must outlive the walk. The function
// and its copies remember the most adapters one of their walks found, as
// the program's walk of USB does.
std::function<AdapterWalk()> emulatedBusWalk(const std::vector<BusSlot>& bus);

// The program's opener over emulated adapters, by the rule it follows over
// USB (trackingOpener), over emulatedBusWalk(bus); the one `choice` names
// is taken (or the first).
AdapterOpener emulatedBusOpener(const std::vector<BusSlot>& bus, std::optional<AdapterChoice> choice = std::nullopt);

// The entry of a request as it goes out: for a write, with the bytes it
// sends; the result and a read's answer are filled in afterwards.
LogEntry requestEntry(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                      const std::uint8_t* data, int length, int timeoutMs);
LogEntry pauseEntry(int ms);

// One readable line for a log entry, e.g.
// "read  0x52 wValue=0x0000 len=1 -> 1 [1e]" or "pause 200 ms".
std::string describe(const LogEntry& entry);

}  // namespace emu
