#include "app/run.h"

#include "app/adapter_menu.h"
#include "app/eeprom_set.h"
#include "app/end_on_signals.h"
#include "app/qt_host.h"
#include "app/responsive_transport.h"
#include "app/startup.h"
#include "app/translation.h"
#include "device/transport.h"
#include "device/vendor_link.h"
#include "dialogs/adapter_action.h"

#include <QApplication>
#include <exception>
#include <optional>
#include <string>

namespace {

// Shows an exception that escapes an event handler and keeps the loop running.
class GuardedApplication final : public QApplication {
public:
    GuardedApplication(int& argc, char** argv, Host& host) : QApplication(argc, argv), host_(host) {}

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            host_.showMessage(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            host_.showMessage(QString());
        }
        return false;
    }

private:
    Host& host_;
};

}  // namespace

int runProgram(const char* programName, const AdapterOpener& openAdapter, const ProgramOptions& options)
{
    // The command line is not the program's: Qt sees only the program name.
    char name[64];
    std::snprintf(name, sizeof name, "%s", programName);
    char* argv[] = {name, nullptr};
    int argc = 1;

    QtHost host(options.onPause);
    try {
        // The adapter is looked for before any window exists, by the same
        // walk that finds it again after it was lost.
        AdapterConnection connection(nullptr, openAdapter);
        std::optional<std::string> refusal;
        try {
            connection.reconnectIfLost();
        } catch (const AdapterGone& gone) {
            refusal = gone.what();
        }
        GuardedApplication app(argc, argv, host);
        endOnSignals(app);
        installTranslations(desktopLanguages());
        try {
            if (refusal) {
                host.showMessage(adapterText(refusal->c_str()));
                return 0;
            }
            ResponsiveTransport responsive(connection);
            VendorLink link(responsive);
            Windows windows = createWindows(Context{link, host, &connection});
            windows.mainWindow->setWindowTitle(windows.mainWindow->windowTitle() +
                                               QCoreApplication::translate("ProgramOptions", options.titleSuffix));
            if (options.walkBus) new AdapterMenu(windows, options.walkBus);
            showMainWindow(windows);
            app.exec();
        } catch (const AdapterGone&) {
            // Gone before the program could start: as if it had not been there.
            host.showMessage(adapterText(NotFoundText));
        } catch (const std::exception& e) {
            host.showMessage(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            host.showMessage(QString());
        }
    } catch (...) {
        // Nothing can be shown without the application object.
    }
    return 0;
}
