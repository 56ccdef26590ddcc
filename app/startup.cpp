#include "app/startup.h"

#include "app/eeprom_set.h"
#include "dialogs/basicinfo.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit13.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "settings/start_up.h"

Windows::Windows() = default;
Windows::Windows(Windows&&) noexcept = default;
Windows& Windows::operator=(Windows&&) noexcept = default;
Windows::~Windows() = default;

Windows createWindows(Context context)
{
    BusyCursor busy;
    Windows w;
    w.startUp = std::make_unique<settings::StartUp>(settings::startUp(context.link));
    const settings::StartUp& record = *w.startUp;
    context.startUp = &record;
    w.mainWindow = std::make_unique<TForm7>(context);
    QWidget* owner = w.mainWindow.get();
    w.basicDialog = new TAutoDetect(context, owner);
    w.basicDialog->showProbe(record.basicProbe);
    w.repeaterDialog = new TForm11(context, owner);
    w.flagLegend = new TForm13(context, w.repeaterDialog);
    w.repeaterDialog->setLegend(w.flagLegend);
    if (record.dialogs.slowData) w.slowDataDialog = new TForm15(context, owner);
    if (record.dialogs.beacon) w.beaconDialog = new TForm17(context, owner);
    if (record.dialogs.serialPort) {
        w.serialPortDialog = new TForm12(context, owner);
        w.serialPortDialog->showStartUpRead(record.serialPort);
    }
    w.mainWindow->setDialogs({w.basicDialog, w.repeaterDialog, w.flagLegend, w.slowDataDialog, w.beaconDialog, w.serialPortDialog});
    return w;
}
