#pragma once
// Creates every window in start-up order, with the feature probes that decide
// which optional dialogs exist.

#include "dialogs/host.h"

#include <memory>

namespace settings {
struct StartUp;
}

class TForm7;
class TAutoDetect;
class TForm11;
class TForm12;
class TForm13;
class TForm15;
class TForm17;

struct Windows {
    // What the firmware answered; every window reads the features here.
    std::unique_ptr<settings::StartUp> startUp;
    std::unique_ptr<TForm7> mainWindow;  // owns the dialogs below
    TAutoDetect* basicDialog = nullptr;
    TForm11* repeaterDialog = nullptr;
    TForm13* flagLegend = nullptr;
    TForm15* slowDataDialog = nullptr;
    TForm17* beaconDialog = nullptr;
    TForm12* serialPortDialog = nullptr;

    Windows();
    Windows(Windows&&) noexcept;
    Windows& operator=(Windows&&) noexcept;
    ~Windows();
};

// Runs the start-up requests (the main menu's probes 0xB3, 0xAF, 0x59, the
// basic settings probes 0x72 twice and 0x58, the optional dialogs' probes
// 0xAF, 0x59, 0xB3 and the serial port group's read), then builds the main
// window, the basic settings dialog, the repeater dialog and the flag
// legend, and each optional dialog whose second probe succeeded.
Windows createWindows(Context context);
