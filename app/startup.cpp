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
    w.form7 = std::make_unique<TForm7>(context);
    QWidget* owner = w.form7.get();
    w.autoDetect = new TAutoDetect(context, owner);
    w.form11 = new TForm11(context, owner);
    w.form13 = new TForm13(context, w.form11);
    w.form11->setLegend(w.form13);
    const settings::MenuProbes probes = settings::probeOptionalDialogs(context.link);
    if (probes.slowData) w.form15 = new TForm15(context, owner);
    if (probes.beacon) w.form17 = new TForm17(context, owner);
    if (probes.serialPort) w.form12 = new TForm12(context, owner);
    w.form7->setDialogs({w.autoDetect, w.form11, w.form13, w.form15, w.form17, w.form12});
    return w;
}
