#pragma once
// Why brisel-ctl cannot use the adapter, in its English words.

#include "device/adapter_connection.h"

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* NoAdapterText = "Does not find the DV Brisel (Relavox).";

// "brisel-ctl (process 1234)", "process 1234" when its name is not known,
// or empty when nothing is.
std::string holderText(const AdapterHolder& holder);

// An adapter that another program holds.
std::string inUseText(const AdapterHolder& holder);

// Where an adapter is: "at USB port 1-1.2 (device 1:7)".
std::string adapterPlace(const AdapterNode& node);
// The adapters of `seen`, one line each ("\n  at USB port ..."), after
// the text that lists them.
std::string adapterLines(const std::vector<AdapterNode>& seen);

// No adapter is where --device `given` says.
std::string notAtDeviceText(std::string_view given);

// An adapter lost or refused where no command's own words take it up.
std::string goneText(const AdapterProblem& problem);
