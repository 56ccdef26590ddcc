// main() of the USB test programs: they need libumockdev-preload.so loaded
// before anything else (after a sanitizer runtime), so a program started
// without it starts itself again with it in LD_PRELOAD. If the library cannot
// be preloaded, the tests skip and say why.

#include "tests/usb/usb_testbed.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    constexpr const char* Marker = "BRISEL_USB_TEST_PRELOADED";
    if (!usbtest::unavailableReason().empty() && std::getenv(Marker) == nullptr) {
        std::string list = usbtest::preloadList();
        if (const char* old = std::getenv("LD_PRELOAD"); old != nullptr && *old != '\0')
            list += std::string(":") + old;
        setenv("LD_PRELOAD", list.c_str(), 1);
        setenv(Marker, "1", 1);
        execv("/proc/self/exe", argv);
        // Not started again: the tests report that umockdev is missing.
    }
    unsetenv(Marker);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
