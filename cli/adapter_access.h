#pragma once
// Finding the adapter on USB for one command.

#include "cli/options.h"
#include "device/adapter_connection.h"

#include <ostream>

// Opens the adapter that --device names, or the first in bus order.
AdapterOpener usbOpener(const Options& options);

// Calls `opener` until it finds the adapter, as long as --wait allows
// (once without it). Nothing is sent to the adapter while waiting.
AdapterAccess waitForAdapter(const AdapterOpener& opener, const Options& options, std::ostream& err);
