#include "dialogs/display_formats.h"

#include <cstdio>

namespace display {
namespace {
std::string format(const char* pattern, unsigned value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}
}  // namespace

std::string formatDecimal(unsigned value)
{
    return format("%u", value);
}
std::string formatTens(unsigned value)
{
    return format("%u0", value);
}
std::string formatHexPadded(unsigned value)
{
    return format("%2.0x", value);
}
std::string formatHex2(unsigned value)
{
    return format("%0.2x", value);
}

}  // namespace display
