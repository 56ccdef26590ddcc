#include "app/startup.h"

#include "app/eeprom_set.h"
#include "app/record_at_start.h"
#include "dialogs/basicinfo.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit13.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "settings/start_up.h"

#include <QTimer>

Windows::Windows() = default;
Windows::Windows(Windows&&) noexcept = default;
Windows& Windows::operator=(Windows&&) noexcept = default;
Windows::~Windows() = default;

namespace {

// Creates the optional dialogs the start-up finds that are not there yet and
// shows what it found in the windows: at start-up, and for each adapter chosen
// later. The main menu gets only the dialogs of the features found.
void showStartUp(Windows& w)
{
    const settings::StartUp& found = *w.startUp;
    const Context& context = *w.context;
    QWidget* owner = w.mainWindow.get();
    w.basicDialog->showProbe(found.basicProbe);
    if (found.dialogs.slowData && w.slowDataDialog == nullptr) w.slowDataDialog = new TForm15(context, owner);
    if (found.dialogs.beacon && w.beaconDialog == nullptr) w.beaconDialog = new TForm17(context, owner);
    if (found.dialogs.serialPort) {
        if (w.serialPortDialog == nullptr) w.serialPortDialog = new TForm12(context, owner);
        w.serialPortDialog->showStartUpRead(found.serialPort);
    }
    w.mainWindow->setDialogs(
        {w.basicDialog, w.repeaterDialog, w.flagLegend, found.dialogs.slowData ? w.slowDataDialog : nullptr,
         found.dialogs.beacon ? w.beaconDialog : nullptr, found.dialogs.serialPort ? w.serialPortDialog : nullptr});
}

}  // namespace

Windows createWindows(Context context)
{
    BusyCursor busy;
    Windows w;
    w.startUp = std::make_unique<settings::StartUp>(settings::startUp(context.link));
    context.startUp = w.startUp.get();
    w.context = std::make_unique<Context>(context);
    w.mainWindow = std::make_unique<TForm7>(context);
    QWidget* owner = w.mainWindow.get();
    w.basicDialog = new TAutoDetect(context, owner);
    w.repeaterDialog = new TForm11(context, owner);
    w.flagLegend = new TForm13(context, w.repeaterDialog);
    w.repeaterDialog->setLegend(w.flagLegend);
    showStartUp(w);
    return w;
}

void showMainWindow(const Windows& windows)
{
    windows.mainWindow->show();
    const Context* context = windows.context.get();
    QTimer::singleShot(0, windows.mainWindow.get(), [context] { tellWriteRecord(*context); });
}

void adoptStartUp(Windows& windows, settings::StartUp answered)
{
    *windows.startUp = std::move(answered);
    showStartUp(windows);
}
