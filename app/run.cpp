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
#include "dialogs/store_problem_text.h"

#include <QApplication>
#include <cstdio>
#include <exception>
#include <new>
#include <optional>
#include <string>

namespace {

// The context of this file's texts in the translations.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(ProgramRun)
};

// An exception that ended what the program was doing, in the user's
// language: the facts of the program's own exceptions, and for any other
// only that it happened (its text, in English, goes to the standard error).
QString exceptionText()
{
    try {
        throw;
    } catch (const AdapterGone& gone) {
        return adapterText(gone.problem());
    } catch (const settings::StoreError& error) {
        return storeProblemText(error.problem());
    } catch (const std::bad_alloc&) {
        return Texts::tr("The program ran out of memory; what it was doing was not finished.");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brisel-setting: %s\n", e.what());
    } catch (...) {}
    return Texts::tr("An unexpected error stopped what the program was doing; it was not finished.");
}

// Shows an exception that escapes an event handler and keeps the loop running.
class GuardedApplication final : public QApplication {
public:
    GuardedApplication(int& argc, char** argv, Host& host) : QApplication(argc, argv), host_(host) {}

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            host_.showMessage(exceptionText());
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
        std::optional<AdapterProblem> refusal;
        try {
            connection.reconnectIfLost();
        } catch (const AdapterGone& gone) {
            refusal = gone.problem();
        }
        GuardedApplication app(argc, argv, host);
        const interrupts::StopRequest stop = endOnSignals(app);
        installTranslations(desktopLanguages());
        try {
            if (refusal) {
                host.showMessage(adapterText(*refusal));
                return 0;
            }
            ResponsiveTransport responsive(connection);
            VendorLink link(responsive);
            Windows windows = createWindows(Context{link, host, &connection, nullptr, stop, options.demoFile});
            windows.mainWindow->setWindowTitle(windows.mainWindow->windowTitle() +
                                               QCoreApplication::translate("ProgramOptions", options.titleSuffix));
            if (options.walkBus) new AdapterMenu(windows, options.walkBus);
            showMainWindow(windows);
            app.exec();
        } catch (const AdapterGone&) {
            // Gone before the program could start: as if it had not been there.
            host.showMessage(adapterText(AdapterProblem{}));
        } catch (...) {
            host.showMessage(exceptionText());
        }
    } catch (...) {
        // Nothing can be shown without the application object.
    }
    return 0;
}
