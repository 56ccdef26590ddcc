// brisel-bench: measures the program over the emulated adapter.
//
//   brisel-bench              every figure, as a table (docs/performance.md)
//   brisel-bench --runs N     repetitions of each flow for the CPU median
//   brisel-bench --ctl [PROGRAM]  brisel-ctl's figures alone (of PROGRAM if given)
//   brisel-bench --flow NAME [N]  that flow's row alone, N runs (for a profiler)
//
// Per flow: the requests sent and the pauses taken (counted, not slept), the
// program's own CPU time (median of many runs) and its share of the flow's
// protocol floor (pauses plus 1 ms per request, one full-speed USB frame);
// then the longest stretch in which the event loop could not run, with the
// real, painted pauses of QtHost and each request taking its 1 ms frame.
// Start-up to the main window shown and peak memory are measured in child
// processes, the program's and a bare main window with a menu, so that each
// peak is a process's own.

#include "app/eeprom_set.h"
#include "app/qt_host.h"
#include "app/responsive_transport.h"
#include "app/startup.h"
#include "bench/ctl_bench.h"
#include "device/vendor_link.h"
#include "dialogs/basicinfo.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "emulator/emulator.h"
#include "settings/start_up.h"
#include "settings_file/restore.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Lets a request take the time of one full-speed frame, as a healthy adapter does.
class FramedTransport final : public Transport {
public:
    explicit FramedTransport(emu::Emulator& emulator) : emulator_(emulator) {}
    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override
    {
        if (framed) {
            // Spins rather than sleeps: a sleep overshoots by the scheduler's slack.
            const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1);
            while (std::chrono::steady_clock::now() < end) {}
        }
        return emulator_.controlRequest(requestType, request, value, index, data, length, timeoutMs);
    }
    bool framed = false;

private:
    emu::Emulator& emulator_;
};

// Messages and modal showings are recorded (a modal loop would wait for a
// user); pauses are either counted only or taken by QtHost for real.
class BenchHost final : public Host {
public:
    explicit BenchHost(emu::Emulator& emulator) : emulator_(emulator) {}
    void showMessage(const QString&) override {}
    void showModal(QDialog&) override {}
    void pause(int ms) override
    {
        emulator_.recordPause(ms);
        if (realPauses) painted_.pause(ms);
    }
    bool realPauses = false;

private:
    emu::Emulator& emulator_;
    QtHost painted_;
};

struct Program {
    emu::Emulator emulator;
    FramedTransport transport{emulator};
    ResponsiveTransport responsive{transport};  // as the program runs it
    VendorLink link{responsive};
    BenchHost host{emulator};
    Windows windows;
    std::vector<Windows> more;  // windows that start-up runs built, kept alive
    Program() : windows(createWindows(Context{link, host})) {}
};

struct Flow {
    const char* name;
    std::function<void(Program&)> act;
};

std::vector<Flow> flows()
{
    return {
        {"start-up (all features)",
         [](Program& p) {
             p.more.push_back(createWindows(Context{p.link, p.host}));
         }},
        {"basic settings: opening", [](Program& p) { p.windows.mainWindow->BasicInfoSetting1Click(); }},
        {"basic settings: Reload", [](Program& p) { p.windows.basicDialog->Reload1Click(); }},
        {"basic settings: Cancel", [](Program& p) { p.windows.basicDialog->Cancel1Click(); }},
        {"basic settings: Save", [](Program& p) { p.windows.basicDialog->Save1Click(); }},
        {"repeater: opening", [](Program& p) { p.windows.mainWindow->RepeaterInfoSetting1Click(); }},
        {"repeater: Cancel", [](Program& p) { p.windows.repeaterDialog->Cancel1Click(); }},
        {"repeater: Save", [](Program& p) { p.windows.repeaterDialog->Ssve1Click(); }},
        {"slow data: opening", [](Program& p) { p.windows.mainWindow->SlowDataClick(); }},
        {"slow data: Cancel", [](Program& p) { p.windows.slowDataDialog->Cancel1Click(); }},
        {"slow data: Save", [](Program& p) { p.windows.slowDataDialog->Save1Click(); }},
        {"beacon: opening", [](Program& p) { p.windows.mainWindow->BeaconClick(); }},
        {"beacon: Cancel", [](Program& p) { p.windows.beaconDialog->Cancel1Click(); }},
        {"beacon: Save", [](Program& p) { p.windows.beaconDialog->Save1Click(); }},
        {"serial port: Cancel", [](Program& p) { p.windows.serialPortDialog->Cancel1Click(); }},
        {"serial port: Save", [](Program& p) { p.windows.serialPortDialog->Save1Click(); }},
        {"firmware version", [](Program& p) { p.windows.mainWindow->PICVersion1Click(); }},
    };
}

// The longest gap between event-loop turns while the flow runs with real
// pauses: a 1 ms heartbeat timer notes each turn.
double longestStall(Program& p, const Flow& flow)
{
    p.host.realPauses = true;
    p.transport.framed = true;
    QElapsedTimer clock;
    double last = 0, longest = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    heartbeat.setInterval(1);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const double now = clock.nsecsElapsed() / 1e6;
        longest = std::max(longest, now - last);
        last = now;
    });
    heartbeat.start();
    QEventLoop settle;
    QTimer::singleShot(20, &settle, &QEventLoop::quit);
    settle.exec();
    clock.start();
    last = 0;
    flow.act(p);
    longest = std::max(longest, clock.nsecsElapsed() / 1e6 - last);
    heartbeat.stop();
    p.host.realPauses = false;
    p.transport.framed = false;
    return longest;
}

int runFlows(int runs, const char* only = nullptr)
{
    std::printf(
        "| Flow | Requests | Pauses (ms) | Floor (ms) | Own CPU, median (ms) | Share of floor | Longest GUI stall, "
        "median of 7 (ms) |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    for (const Flow& flow : flows()) {
        if (only != nullptr && std::strcmp(only, flow.name) != 0) continue;
        Program p;
        p.windows.mainWindow->show();
        // One run for the stream, then the timed runs.
        p.emulator.clearLog();
        flow.act(p);
        int requests = 0, pauses = 0;
        for (const emu::LogEntry& e : p.emulator.log()) {
            if (e.kind == emu::LogEntry::Kind::Pause) pauses += e.pauseMs;
            else ++requests;
        }
        std::vector<double> cpu;
        for (int i = 0; i < runs; ++i) {
            p.emulator.clearLog();
            const double start = threadCpuMs();
            flow.act(p);
            cpu.push_back(threadCpuMs() - start);
        }
        p.more.clear();
        const double own = median(cpu);
        const double floor = pauses + requests * 1.0;
        std::vector<double> stalls;
        for (int i = 0; i < 7; ++i) stalls.push_back(longestStall(p, flow));
        p.more.clear();
        const double stall = median(stalls);
        std::printf("| %s | %d | %d | %.0f | %.3f | %.3f %% | %.1f |\n", flow.name, requests, pauses, floor, own,
                    100.0 * own / floor, stall);
        std::fflush(stdout);
    }
    return 0;
}

// The record's own work in a dialog's Save: written before the first write,
// rewritten once the group is done, removed once the result is told.
void recordWork(int runs)
{
    emu::Emulator adapter;
    VendorLink link{adapter};
    const settings::StartUp started = settings::startUp(link);
    const settings::Snapshot held =
        settings::onlyGroup(settings::readEveryGroup(link, started, false), settings::Group::Basic);
    const settings::AdapterIdentity demo = settings::identityOf(std::nullopt);
    const std::string path = settings::recordPath(settings::stateFolder(), demo);
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        const double start = threadCpuMs();
        {
            settings::RecordKeeper keeper(path, settings::RecordJob::Save, demo, held, started.features);
            keeper.groupDone(settings::Group::Basic);
        }
        cpu.push_back(threadCpuMs() - start);
    }
    std::printf(
        "\nThe record's work in a basic settings Save (written, rewritten, removed): own CPU, median of %d "
        "runs: %.3f ms\n\n",
        runs, median(cpu));
}

// The process's own peak: VmHWM starts afresh at exec, while ru_maxrss
// keeps the parent's peak across fork and exec.
long peakRssKb()
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, status) != nullptr)
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
    std::fclose(status);
    return kb;
}

// Child: shows a window, waits until it is exposed, reports and ends.
int showAndReport(QWidget& window)
{
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    std::printf("shown %ld\n", peakRssKb());
    std::fflush(stdout);
    return 0;
}

int childProgram(int argc, char** argv)
{
    QApplication app(argc, argv);
    emu::Emulator emulator;
    ResponsiveTransport responsive(emulator);
    VendorLink link(responsive);
    QtHost host;
    Windows windows = createWindows(Context{link, host});
    return showAndReport(*windows.mainWindow);
}

int childBare(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Setting"));
    for (const char* item :
         {"&Basic Info. ", "Be&acon Info.", "&Repeater Info. ", "&Slow Data", "RS232C Info.", "&Exit"})
        menu->addAction(QString::fromLatin1(item));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&Version"));
    return showAndReport(window);
}

struct StartUp {
    double ms;
    long rssKb;
};

StartUp startChild(const char* self, const char* mode)
{
    QProcess child;
    QElapsedTimer clock;
    clock.start();
    child.start(QString::fromLocal8Bit(self), {QString::fromLatin1(mode)});
    child.waitForReadyRead(30000);
    const double ms = clock.nsecsElapsed() / 1e6;
    child.waitForFinished(30000);
    const QByteArray out = child.readAllStandardOutput();
    long rss = 0;
    std::sscanf(out.constData(), "shown %ld", &rss);
    return {ms, rss};
}

int runStartUp(const char* self, int runs)
{
    std::vector<double> programMs, bareMs, programRss, bareRss;
    for (int i = 0; i < runs; ++i) {
        const StartUp p = startChild(self, "--child-program");
        const StartUp b = startChild(self, "--child-bare");
        programMs.push_back(p.ms);
        bareMs.push_back(b.ms);
        programRss.push_back(static_cast<double>(p.rssKb));
        bareRss.push_back(static_cast<double>(b.rssKb));
    }
    const double pm = median(programMs), bm = median(bareMs);
    const double pr = median(programRss), br = median(bareRss);
    std::printf("\n| Process | Start-up to window shown, median (ms) | Peak RSS, median (KiB) |\n");
    std::printf("|---|---:|---:|\n");
    std::printf("| brisel-setting windows over the emulator | %.1f | %.0f |\n", pm, pr);
    std::printf("| bare QMainWindow with a menu | %.1f | %.0f |\n", bm, br);
    std::printf("| ratio | %.2fx | %.2fx |\n", pm / bm, pr / br);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The records the Saves keep go to a folder of the run's own, not to the
    // user's (the children inherit it).
    if (std::getenv("BRISEL_BENCH_STATE") == nullptr) {
        char state[] = "/tmp/brisel-bench-state-XXXXXX";
        if (mkdtemp(state) != nullptr) {
            setenv("BRISEL_BENCH_STATE", state, 1);
            setenv("XDG_STATE_HOME", state, 1);
        }
    }
    if (argc > 1 && std::strcmp(argv[1], "--child-program") == 0) return childProgram(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--child-bare") == 0) return childBare(argc, argv);

    // brisel-ctl's figures alone, of this build's program or of another one
    // (an older build, for a comparison within one run).
    if (argc > 1 && std::strcmp(argv[1], "--ctl") == 0) {
        benchCtl(argc > 2 ? argv[2] : BRISEL_CTL_PROGRAM, 15);
        return 0;
    }

    if (argc > 2 && std::strcmp(argv[1], "--flow") == 0) {
        int qtArgc = 1;
        QApplication app(qtArgc, argv);
        return runFlows(argc > 3 ? std::max(1, std::atoi(argv[3])) : 200, argv[2]);
    }

    int runs = 200;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) runs = std::max(1, std::atoi(argv[2]));

    std::printf("Flows: own CPU median of %d runs; floor = pauses + 1 ms per request\n\n", runs);
    {
        int qtArgc = 1;
        QApplication app(qtArgc, argv);
        runFlows(runs);
    }
    recordWork(runs);
    std::fflush(stdout);
    const int status = runStartUp(argv[0], 15);
    std::fflush(stdout);
    benchCtl(BRISEL_CTL_PROGRAM, 15);
    return status;
}
