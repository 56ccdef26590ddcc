#include "tests/support/fixture.h"

#include <cstdio>

std::string picture(const emu::LogEntry& e)
{
    char text[32];
    if (e.kind == emu::LogEntry::Kind::Pause) {
        std::snprintf(text, sizeof text, "P %d", e.pauseMs);
        return text;
    }
    if (e.index != 0 || e.timeoutMs != 100) return "?";
    if (e.requestType == 0xC0) {
        if (e.value != 0) return "?";
        if (e.length == 0) std::snprintf(text, sizeof text, "Z+ %02X", e.request);
        else std::snprintf(text, sizeof text, "R %02X %d", e.request, e.length);
        return text;
    }
    if (e.requestType != 0x40) return "?";
    if (e.length == 0) {
        std::snprintf(text, sizeof text, "V %02X %04X", e.request, e.value);
        return text;
    }
    if (e.value != 0) return "?";
    std::snprintf(text, sizeof text, "D %02X", e.request);
    std::string s = text;
    for (std::uint8_t b : e.data) {
        std::snprintf(text, sizeof text, " %02X", b);
        s += text;
    }
    return s;
}

std::vector<std::string> pictures(const std::vector<emu::LogEntry>& log)
{
    std::vector<std::string> out;
    out.reserve(log.size());
    for (const auto& e : log) out.push_back(picture(e));
    return out;
}
