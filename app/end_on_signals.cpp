#include "app/end_on_signals.h"

#include "interrupts/signals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <fcntl.h>
#include <unistd.h>

namespace {

int requestsUnderWay = 0;
const interrupts::SignalCatcher* catcher = nullptr;

// The signals' catcher and the pipe that wakes the event loop, for as long
// as the application lives.
class Catcher final : public QObject {
public:
    explicit Catcher(QObject& owner) : QObject(&owner) { catcher = &signals_; }
    ~Catcher() override
    {
        catcher = nullptr;
        delete notifier;
        for (int fd : ends)
            if (fd >= 0) close(fd);
    }
    interrupts::SignalCatcher signals_;
    int ends[2] = {-1, -1};
    QSocketNotifier* notifier = nullptr;
};

// Ends every event loop once no request or pause is under way (a loop ended
// in the middle of a group would cut its pause short). An open box is
// closed first, as its Cancel or No closes it; the action that showed it
// then ends without a new box, and nothing new begins.
void endWhenIdle()
{
    if (requestsUnderWay > 0) {
        QTimer::singleShot(20, qApp, endWhenIdle);
        return;
    }
    if (QWidget* box = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(box)) dialog->reject();
        else box->close();
        QTimer::singleShot(0, qApp, endWhenIdle);
        return;
    }
    QCoreApplication::exit(0);
}

}  // namespace

interrupts::StopRequest endOnSignals(QObject& owner)
{
    auto* held = new Catcher(owner);
    // The signal handler only writes a byte into the pipe; the event loop
    // reads it once the request under way has returned.
    if (pipe2(held->ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        delete held;  // the signals keep their default action
        return {};
    }
    held->notifier = new QSocketNotifier(held->ends[0], QSocketNotifier::Read);
    QObject::connect(held->notifier, &QSocketNotifier::activated, held, [fd = held->ends[0]] {
        char bytes[16];
        while (read(fd, bytes, sizeof bytes) > 0) {}
        endWhenIdle();
    });
    held->signals_.wakeOnSignal(held->ends[1]);
    // Every action is finished whatever arrives: a signal is only noted.
    held->signals_.holdFromNowOn();
    return held->signals_.stopRequest();
}

bool endingOnSignal()
{
    return catcher != nullptr && catcher->caught() != 0;
}

RequestUnderWay::RequestUnderWay()
{
    ++requestsUnderWay;
}

RequestUnderWay::~RequestUnderWay()
{
    --requestsUnderWay;
}
