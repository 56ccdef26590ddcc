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
    // What the firmware of the adapter in use answered; every window reads
    // the features here.
    std::unique_ptr<settings::StartUp> startUp;
    std::unique_ptr<Context> context;    // what every window was given
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

// Shows the main window; once it is up (when the event loop runs), tells
// the record of a write to the adapter in use that was cut short
// (record_at_start.h), if there is one.
void showMainWindow(const Windows& windows);

// Shows what another adapter answered at its start-up (its requests already
// sent), as start-up shows its own: creates the optional dialogs of its
// features that are not there yet, shows its probes in the basic settings
// dialog and its serial port group in that dialog, and enables the menu items
// of its features only. Every other dialog reads the adapter when it opens.
void adoptStartUp(Windows& windows, settings::StartUp answered);
