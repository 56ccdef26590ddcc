#pragma once
// How the dialogs show the numbers the adapter holds, as printf formats them.

#include <string>

namespace display {

std::string formatDecimal(unsigned value);    // "%d"
std::string formatTens(unsigned value);       // "%d0": the decimal and a trailing 0
std::string formatHexPadded(unsigned value);  // "%2.0x": width 2, 0 shows two blanks
std::string formatHex2(unsigned value);       // "%0.2x": at least two digits

}  // namespace display
