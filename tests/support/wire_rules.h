#pragma once
// The range of every field on the wire: which shape, lengths and values each
// request code may carry. The fault matrix and the fuzzers check every
// request the program sends against it.

#include "emulator/emulator.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <map>
#include <set>
#include <string>

namespace wire_rules {

struct WireRule {
    enum Shape { Read, Value, Data, Zero } shape;
    std::set<int> lengths;                     // read or data lengths allowed
    std::function<bool(std::uint16_t)> value;  // for value writes
};

inline const std::map<std::uint8_t, WireRule>& wireRules()
{
    static const std::map<std::uint8_t, WireRule> rules = [] {
        std::map<std::uint8_t, WireRule> r;
        auto shape = [&r](WireRule::Shape s, std::initializer_list<std::uint8_t> codes, std::set<int> lengths) {
            for (std::uint8_t c : codes) r[c] = WireRule{s, lengths, {}};
        };
        auto value = [&r](std::initializer_list<std::uint8_t> codes, std::function<bool(std::uint16_t)> ok) {
            for (std::uint8_t c : codes) r[c] = WireRule{WireRule::Value, {}, ok};
        };
        auto upTo = [&value](int max, std::initializer_list<std::uint8_t> codes) {
            value(codes, [max](std::uint16_t v) { return v <= max; });
        };
        const auto Read = WireRule::Read, Data = WireRule::Data;
        // One-byte settings, the probes' codes among them, and the firmware version pieces.
        shape(Read, {0x52, 0x51, 0x53, 0x54, 0x5B, 0x56, 0xE2, 0xE3, 0xD0, 0x58, 0xEA, 0x59, 0xB1, 0xB3, 0xB5}, {1});
        shape(Read, {0x72}, {2});  // S/N squelch
        shape(Read, {0xAF}, {3});  // status block
        shape(Read, {0xA9}, {4});
        shape(Read, {0x55, 0xA8, 0xAA, 0xAB, 0xAC, 0xFF}, {8});
        shape(Read, {0xEC, 0xEF}, {8, 4});  // slow data and beacon messages
        shape(Read, {0xB7}, {8, 5});        // GPS message
        shape(Data, {0xE9}, {1});           // digital code
        shape(Data, {0xA1}, {4});
        shape(Data, {0x46, 0xA0, 0xA2, 0xA3, 0xA4}, {8});
        shape(Data, {0xE6, 0xED}, {8, 4});
        shape(Data, {0xB6}, {8, 5});
        shape(WireRule::Zero, {0xE4, 0x00, 0xEB, 0xEE, 0xB8}, {});
        // Flags of the basic, repeater and slow data settings.
        upTo(1, {0x07, 0x0A, 0x0E, 0x06, 0xD2, 0xD1, 0xD3, 0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x99, 0xE5,
                 0xE7, 0xE8});
        upTo(24, {0x04, 0x5A});
        // One-byte values; the timings and the beacon interval travel in units of ten.
        upTo(255, {0x02, 0x01, 0x03, 0xE0, 0xE1, 0x4A, 0x98, 0x4B});
        upTo(1023, {0x71});
        value({0xB0}, [](std::uint16_t v) { return v == 12 || v == 48 || v == 96 || v == 192; });
        value({0xB2}, [](std::uint16_t v) { return v <= 2 || v == 5 || v == 6; });
        value({0xB4}, [](std::uint16_t v) { return (v & ~0x9Fu) == 0; });
        return r;
    }();
    return rules;
}

// Empty when the request keeps to its field's range, else what is wrong.
inline std::string offRange(const emu::LogEntry& e)
{
    if (e.kind != emu::LogEntry::Kind::Request) return {};
    char head[64];
    std::snprintf(head, sizeof head, "request 0x%02X type 0x%02X wValue 0x%04X len %d: ", e.request, e.requestType,
                  e.value, e.length);
    auto wrong = [&head](const char* why) { return head + std::string(why); };
    if (e.index != 0 || e.timeoutMs != 100) return wrong("wIndex or time-out off");
    const auto it = wireRules().find(e.request);
    if (it == wireRules().end()) return wrong("unknown request code");
    const WireRule& rule = it->second;
    switch (rule.shape) {
    case WireRule::Zero:
        if (e.value != 0 || e.length != 0) return wrong("signal with value or data");
        if (e.requestType != 0xC0 && e.requestType != 0x40) return wrong("bad type");
        if ((e.request == 0xE4 || e.request == 0x00) && e.requestType != 0x40) return wrong("must be the write form");
        return {};
    case WireRule::Read:
        if (e.requestType != 0xC0 || e.value != 0 || !rule.lengths.count(e.length)) return wrong("bad read shape");
        return {};
    case WireRule::Data:
        if (e.requestType != 0x40 || e.value != 0 || !rule.lengths.count(e.length) ||
            e.data.size() != static_cast<std::size_t>(e.length))
            return wrong("bad data write shape");
        return {};
    case WireRule::Value:
        if (e.requestType != 0x40 || e.length != 0) return wrong("bad value write shape");
        if (!rule.value(e.value)) return wrong("value out of range");
        return {};
    }
    return {};
}

}  // namespace wire_rules
