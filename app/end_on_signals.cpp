#include "app/end_on_signals.h"

#include "settings/interrupts.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Ends every event loop, a dialog's too, once no device sequence is under
// way: each runs under the wait cursor (BusyCursor), and a message it shows
// holds the arrow cursor until the user has read it. A loop ended in the
// middle of a sequence would cut its pause short.
void endWhenIdle()
{
    if (QGuiApplication::overrideCursor() != nullptr) {
        QTimer::singleShot(20, qApp, endWhenIdle);
        return;
    }
    QCoreApplication::exit(0);
}

}  // namespace

void endOnSignals(QObject& owner)
{
    // The signal handler only writes a byte into the pipe; the event loop
    // reads it once the request under way has returned.
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their default action
    auto* notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, &owner);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [fd = ends[0]] {
        char bytes[16];
        while (read(fd, bytes, sizeof bytes) > 0) {}
        endWhenIdle();
    });
    interrupts::wakeOnSignal(ends[1]);
    interrupts::deferUntilTheEnd();
    interrupts::catchSignals();
}
