#pragma once
// The range of every field on the wire: which shape, lengths and values each
// request code may carry. The fault matrix and the fuzzers check every
// request the program sends against it.

#include "emulator/emulator.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace wire_rules {

struct WireRule {
    enum Shape { Read, Value, Data, Zero } shape;
    std::set<int> lengths;                    // read or data lengths allowed
    std::function<bool(std::uint16_t)> value; // for value writes
};

inline bool upTo(std::uint16_t v, int max) { return v <= max; }

inline const std::map<std::uint8_t, WireRule>& wireRules()
{
    static const std::map<std::uint8_t, WireRule> rules = [] {
        std::map<std::uint8_t, WireRule> r;
        auto value = [&r](std::uint8_t code, std::function<bool(std::uint16_t)> ok) {
            r[code] = WireRule{WireRule::Value, {}, std::move(ok)};
        };
        auto flag = [&](std::uint8_t code) { value(code, [](std::uint16_t v) { return upTo(v, 1); }); };
        auto byte = [&](std::uint8_t code) { value(code, [](std::uint16_t v) { return upTo(v, 255); }); };
        auto read = [&r](std::uint8_t code, std::set<int> lengths) {
            r[code] = WireRule{WireRule::Read, std::move(lengths), {}};
        };
        auto data = [&r](std::uint8_t code, std::set<int> lengths) {
            r[code] = WireRule{WireRule::Data, std::move(lengths), {}};
        };
        // Basic settings
        for (std::uint8_t c : {0x52, 0x51, 0x53, 0x54, 0x5B, 0x56, 0xE2, 0xE3, 0xD0, 0x58}) read(c, {1});
        read(0x72, {2});
        byte(0x02);
        byte(0x01);
        byte(0x03);
        value(0x04, [](std::uint16_t v) { return upTo(v, 24); });
        value(0x5A, [](std::uint16_t v) { return upTo(v, 24); });
        for (std::uint8_t c : {0x07, 0x0A, 0x0E, 0x06, 0xD2, 0xD1, 0xD3}) flag(c);
        byte(0xE0);
        byte(0xE1);
        value(0x71, [](std::uint16_t v) { return upTo(v, 1023); });
        byte(0x4A);
        // Repeater settings
        for (std::uint8_t c : {0x55, 0xA8, 0xAA, 0xAB, 0xAC}) read(c, {8});
        read(0xA9, {4});
        read(0xAF, {3});
        for (std::uint8_t c : {0x46, 0xA0, 0xA2, 0xA3, 0xA4}) data(c, {8});
        data(0xA1, {4});
        for (int c = 0x90; c <= 0x97; ++c) flag(static_cast<std::uint8_t>(c));
        flag(0x99);
        byte(0x98);
        // Slow data
        for (std::uint8_t c : {0xE5, 0xE7, 0xE8}) flag(c);
        data(0xE9, {1});
        read(0xEA, {1});
        data(0xE6, {8, 4});
        read(0xEC, {8, 4});
        // Beacon: the interval in tens of seconds; a negative entry is refused.
        read(0x59, {1});
        value(0x4B, [](std::uint16_t v) { return v <= 255; });
        data(0xED, {8, 4});
        read(0xEF, {8, 4});
        // Serial port and GPS
        read(0xB1, {1});
        read(0xB3, {1});
        read(0xB5, {1});
        value(0xB0, [](std::uint16_t v) { return v == 12 || v == 48 || v == 96 || v == 192; });
        value(0xB2, [](std::uint16_t v) { return v == 0 || v == 1 || v == 2 || v == 5 || v == 6; });
        value(0xB4, [](std::uint16_t v) { return (v & ~0x9Fu) == 0; });
        data(0xB6, {8, 5});
        read(0xB7, {8, 5});
        // Signals and the firmware version
        for (std::uint8_t c : {0xE4, 0x00, 0xEB, 0xEE, 0xB8})
            r[c] = WireRule{WireRule::Zero, {}, {}};
        read(0xFF, {8});
        return r;
    }();
    return rules;
}

// Empty when the request keeps to its field's range, else what is wrong.
inline std::string offRange(const emu::LogEntry& e)
{
    if (e.kind != emu::LogEntry::Kind::Request) return {};
    char head[64];
    std::snprintf(head, sizeof head, "request 0x%02X type 0x%02X wValue 0x%04X len %d: ", e.request,
                  e.requestType, e.value, e.length);
    if (e.index != 0 || e.timeoutMs != 100) return head + std::string("wIndex or time-out off");
    const auto it = wireRules().find(e.request);
    if (it == wireRules().end()) return head + std::string("unknown request code");
    const WireRule& rule = it->second;
    switch (rule.shape) {
    case WireRule::Zero:
        if (e.value != 0 || e.length != 0) return head + std::string("signal with value or data");
        if (e.requestType != 0xC0 && e.requestType != 0x40) return head + std::string("bad type");
        if ((e.request == 0xE4 || e.request == 0x00) && e.requestType != 0x40)
            return head + std::string("must be the write form");
        return {};
    case WireRule::Read:
        if (e.requestType != 0xC0 || e.value != 0 || !rule.lengths.count(e.length))
            return head + std::string("bad read shape");
        return {};
    case WireRule::Data:
        if (e.requestType != 0x40 || e.value != 0 || !rule.lengths.count(e.length) ||
            e.data.size() != static_cast<std::size_t>(e.length))
            return head + std::string("bad data write shape");
        return {};
    case WireRule::Value:
        if (e.requestType != 0x40 || e.length != 0) return head + std::string("bad value write shape");
        if (!rule.value(e.value)) return head + std::string("value out of range");
        return {};
    }
    return {};
}

}  // namespace wire_rules
