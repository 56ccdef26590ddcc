#pragma once
// The demos' --lacking: the optional features the emulated adapter's
// firmware lacks, by the names the settings files and detect use.

#include "emulator/emulator.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace emu {

// "slow_data,beacon,serial_port,squelch,jitter_buffer", any of them in any
// order; nothing when a name is not one of these. An empty text names none.
std::optional<std::vector<Feature>> parseLacking(std::string_view text);

// Why `given` is not taken, quoting it cut and escaped.
std::string lackingProblem(std::string_view given);

// Takes the features out of `adapter`.
void leaveOut(Emulator& adapter, const std::vector<Feature>& lacking);

}  // namespace emu
