#pragma once
// Waits between requests, e.g. between a write and its read-back. The
// desktop program keeps its window responsive while it waits; the command
// line just sleeps; tests log the pause instead of taking it.

#include <functional>

namespace settings {
using Pause = std::function<void(int ms)>;
}  // namespace settings
