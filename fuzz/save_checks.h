#pragma once
// What every whole-Save target checks of the requests one Save sent.

#include "fuzz/harness.h"
#include "tests/support/wire_rules.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace fuzz {

inline void checkWire(const std::vector<emu::LogEntry>& log)
{
    for (const emu::LogEntry& e : log) {
        const std::string bad = wire_rules::offRange(e);
        FUZZ_CHECK(bad.empty(), "%s", bad.c_str());
    }
}

inline void checkMessages(const QStringList& shown, std::initializer_list<const char*> quoted)
{
    for (const QString& m : shown) {
        const bool known =
            std::any_of(quoted.begin(), quoted.end(), [&m](const char* q) { return m == QString::fromLatin1(q); });
        FUZZ_CHECK(known, "unknown message: %s", m.toUtf8().constData());
    }
}

inline std::vector<const emu::LogEntry*> writesOf(const std::vector<emu::LogEntry>& log, std::uint8_t code)
{
    std::vector<const emu::LogEntry*> out;
    for (const emu::LogEntry& e : log)
        if (e.kind == emu::LogEntry::Kind::Request && e.request == code && !e.isRead()) out.push_back(&e);
    return out;
}

}  // namespace fuzz
