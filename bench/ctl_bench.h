#pragma once
// brisel-ctl's cost: backup and restore of every group over the emulated
// adapter, each a process of its own, against the protocol floor; the time
// from the start of the process to its first request; its peak memory.

#include <string>

void benchCtl(const std::string& program, int rounds);
