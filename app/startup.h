#pragma once
// Creates every window in start-up order, with the feature probes that decide
// which optional dialogs exist.

#include "dialogs/host.h"

#include <memory>

class TForm7;
class TAutoDetect;
class TForm11;
class TForm12;
class TForm13;
class TForm15;
class TForm17;

struct Windows {
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

// The main window (probing 0xB3, 0xAF, 0x59), the basic settings dialog
// (probing 0x72 twice and 0x58), the repeater dialog and the flag legend,
// then each optional dialog whose probe (0xAF, 0x59, 0xB3) succeeds again.
Windows createWindows(Context context);
