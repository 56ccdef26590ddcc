#include "device/device_option.h"

#include "device/shown_text.h"

std::string deviceOptionProblem(std::string_view given)
{
    return "--device wants BUS:DEVICE, e.g. 1:7, or a USB port path, e.g. 1-1.2, not '" + shown::clipped(given) + "'";
}
