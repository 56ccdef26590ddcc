#pragma once
// The basic settings group: timings, error bit counts, option switches,
// duplex, bit patterns, polarity, S/N squelch and jitter buffer size.

#include "settings/pause.h"

#include <cstdint>
#include <optional>

class VendorLink;

namespace settings {

// Values in the units the adapter keeps them in. A value that is not there
// was not read (or, for a Save, is not written).
struct BasicValues {
    std::optional<std::uint8_t> delayTime;  // tens of ms
    std::optional<std::uint8_t> timeOut;    // tens of s
    std::optional<std::uint8_t> keepAlive;  // tens of ms
    std::optional<std::uint8_t> resyncErrorBits;
    std::optional<std::uint8_t> lastFrameErrorBits;
    std::optional<bool> crcCheck;
    std::optional<bool> cosCheck;
    std::optional<bool> lastFrameSend;
    std::optional<bool> halfDuplex;
    std::optional<std::uint8_t> preBitPattern;
    std::optional<std::uint8_t> postBitPattern;
    std::optional<bool> txInvert;
    std::optional<bool> rxInvert;
    std::optional<bool> autoRxDetect;
    std::optional<std::uint16_t> squelchLevel;  // 0 to 1023
    std::optional<std::uint8_t> jitterBuffer;

    bool operator==(const BasicValues&) const = default;
};

// The two optional features of the group: the firmware has one when it
// answers its read at all, even without the bytes.
struct BasicFeatures {
    bool squelch = false;
    bool jitterBuffer = false;

    bool operator==(const BasicFeatures&) const = default;
};

struct BasicRead {
    BasicValues values;
    BasicFeatures features;
};

// The probes of the dialog's construction: the squelch read twice (the
// second answer counts; the first goes to `firstSquelchAnswer` when given),
// then the jitter read.
BasicRead probeBasic(VendorLink& link, bool* firstSquelchAnswer = nullptr);

// The group's read: 0x52, 0x51, 0x53, 0x54, 0x5B, 0x56, 0xE2, 0xE3, 0xD0,
// 0x72, 0x58.
BasicRead readBasic(VendorLink& link);

// Opening the group from the main menu: the serial port probe (0xB3), whose
// answer the main window uses, then the read.
struct BasicOpening {
    bool serialPortAnswered = false;
    BasicRead read;
};
BasicOpening openBasic(VendorLink& link);

// Writes every value that is there, in the adapter's order, waits 200 ms and
// reads the group back. The caller has judged the values by the rules.
BasicRead saveBasic(VendorLink& link, const Pause& pause, const BasicValues& values);

}  // namespace settings
