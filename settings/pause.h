#pragma once
// Waits between requests, e.g. between a write and its read-back. The
// desktop program keeps its window responsive while it waits; the command
// line just sleeps; tests log the pause instead of taking it.

#include <functional>

namespace settings {
using Pause = std::function<void(int ms)>;

// How long each Save waits, in milliseconds.
namespace pause_ms {
// Between the last write of a group and its read-back: time for the
// firmware to store the values.
inline constexpr int BeforeReadBack = 200;
// Between a call sign write and the read of that call sign.
inline constexpr int CallSignReadBack = 50;
// Around the beacon's commit request: after its writes, and before its read-back.
inline constexpr int BeforeBeaconCommit = 200;
inline constexpr int AfterBeaconCommit = 200;
}  // namespace pause_ms
}  // namespace settings
