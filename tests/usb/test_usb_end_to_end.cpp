// The real brisel-setting program over emulated USB devices, on a virtual X
// display, driven from outside the way a user drives it: the window titles,
// the menu's keyboard accelerators, Enter on a message box. The program gets
// nothing but the testbed's environment; its libusb walks the testbed's buses
// and its requests are answered by the emulator in this process.

#include "app/qt_host.h"
#include "app/run.h"
#include "app/usb_adapter.h"
#include "emulator/emulator.h"
#include "tests/support/fixture.h"
#include "tests/usb/usb_testbed.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using testing::ElementsAreArray;
using usbtest::NodeIoctl;
using usbtest::UsbTestbed;

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> pointers(std::vector<std::string>& strings)
{
    std::vector<char*> out;
    for (std::string& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

std::string pathVariable()
{
    const char* path = std::getenv("PATH");
    return std::string("PATH=") + (path != nullptr ? path : "/usr/bin:/bin");
}

// Starts a program with exactly the given environment. The child stops
// itself before exec, so the caller can register it before it runs; the
// caller continues it with SIGCONT. `out` receives its standard output.
pid_t startStopped(std::vector<std::string> argv, std::vector<std::string> env, int out = -1)
{
    auto args = pointers(argv);
    auto envp = pointers(env);
    const pid_t pid = fork();
    if (pid == 0) {
        if (out >= 0) dup2(out, STDOUT_FILENO);
        raise(SIGSTOP);
        execvpe(args[0], args.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, WUNTRACED);
    return pid;
}

pid_t start(std::vector<std::string> argv, std::vector<std::string> env, int out = -1)
{
    const pid_t pid = startStopped(std::move(argv), std::move(env), out);
    kill(pid, SIGCONT);
    return pid;
}

// The exit status of a child, or nothing if it has not ended by then.
std::optional<int> waitExit(pid_t pid, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0 || Clock::now() > end) return std::nullopt;
        std::this_thread::sleep_for(20ms);
    }
}

void stop(pid_t pid)
{
    if (pid <= 0) return;
    if (waitExit(pid, 0ms)) return;
    kill(pid, SIGKILL);
    waitExit(pid, 5s);
}

// Runs a helper program to its end and returns its standard output.
std::string run(std::vector<std::string> argv, std::vector<std::string> env,
                std::chrono::milliseconds limit = 5s)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return {};
    const pid_t pid = start(std::move(argv), std::move(env), fds[1]);
    close(fds[1]);
    std::string output;
    const auto end = Clock::now() + limit;
    pollfd p{fds[0], POLLIN, 0};
    while (Clock::now() < end) {
        if (poll(&p, 1, 50) <= 0) continue;
        char chunk[512];
        const ssize_t n = read(fds[0], chunk, sizeof chunk);
        if (n <= 0) break;
        output.append(chunk, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    stop(pid);
    waitExit(pid, 1s);
    return output;
}

// A virtual X display for the whole test program.
class VirtualDisplay : public testing::Environment {
public:
    static inline std::string name;
    static inline std::string failure;

    void SetUp() override
    {
        int fds[2];
        if (pipe(fds) != 0) {
            failure = "no pipe for Xvfb";
            return;
        }
        pid_ = start({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24",
                      "-nolisten", "tcp"},
                     {pathVariable()});
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        const auto end = Clock::now() + 20s;
        while (Clock::now() < end && number.find('\n') == std::string::npos) {
            if (poll(&p, 1, 100) <= 0) continue;
            char c;
            if (read(fds[0], &c, 1) != 1) break;
            number += c;
        }
        close(fds[0]);
        if (number.find('\n') == std::string::npos) {
            failure = "Xvfb did not start (is the xvfb package installed?)";
            return;
        }
        name = ":" + number.substr(0, number.find('\n'));
    }
    void TearDown() override { stop(pid_); }

private:
    pid_t pid_ = -1;
};

std::vector<std::string> xEnvironment()
{
    return {pathVariable(), "DISPLAY=" + VirtualDisplay::name};
}

std::string xdotool(std::vector<std::string> args)
{
    args.insert(args.begin(), "xdotool");
    return run(std::move(args), xEnvironment());
}

// The visible windows whose title is exactly `title`.
std::vector<std::string> windows(const std::string& title)
{
    const std::string found = xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
    std::vector<std::string> ids;
    std::size_t at = 0;
    while (at < found.size()) {
        const std::size_t end = found.find('\n', at);
        const std::string line = found.substr(at, end == std::string::npos ? end : end - at);
        if (!line.empty()) ids.push_back(line);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return ids;
}

std::string waitForWindow(const std::string& title, std::chrono::milliseconds limit = 60s)
{
    const auto end = Clock::now() + limit;
    while (Clock::now() < end) {
        if (auto ids = windows(title); !ids.empty()) return ids.front();
        std::this_thread::sleep_for(100ms);
    }
    return {};
}

void keys(const std::string& window, std::vector<std::string> sequence)
{
    xdotool({"windowfocus", "--sync", window});
    for (const std::string& key : sequence) xdotool({"key", "--clearmodifiers", key});
}

const char* const MainTitle = "Brisel Setting Program V03.06";

// The program, started over the testbed, ended by the test if need be.
class Program {
public:
    Program(UsbTestbed& testbed, bool asUser)
    {
        std::vector<std::string> env = xEnvironment();
        for (const std::string& e : testbed.environment()) env.push_back(e);
        env.push_back("QT_QPA_PLATFORM=xcb");
        std::vector<std::string> argv = {BRISEL_SETTING_PROGRAM};
        if (asUser && geteuid() == 0) {
            // Without the DAC override capabilities, root meets node modes
            // the way a user does.
            argv.insert(argv.begin(), {"setpriv", "--inh-caps=-dac_override,-dac_read_search",
                                       "--bounding-set=-dac_override,-dac_read_search", "--"});
        }
        pid_ = startStopped(argv, env);
        testbed.setClient(pid_);
        kill(pid_, SIGCONT);
    }
    ~Program() { stop(pid_); }
    std::optional<int> exitCode(std::chrono::milliseconds limit = 10s) { return waitExit(pid_, limit); }

private:
    pid_t pid_ = -1;
};

class EndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
        if (!VirtualDisplay::failure.empty()) GTEST_SKIP() << VirtualDisplay::failure;
        if (run({"xdotool", "version"}, xEnvironment()).empty()) GTEST_SKIP() << "xdotool is missing";
        testbed_.emplace();
    }

    std::optional<UsbTestbed> testbed_;
};

// After opening, a firmware with every feature sees exactly this.
const std::vector<std::string> StartUp = {
    "R B3 1", "R AF 3", "R 59 1",                      // main window: feature probes
    "R 72 2", "R 72 2", "R 58 1",                      // basic settings dialog
    "R AF 3", "R 59 1", "R B3 1",                      // start-up: which dialogs exist
    "R B1 1", "R B3 1", "R B5 1", "V B8 0000",         // serial port dialog loads itself
    "R B7 8", "R B7 8", "R B7 8", "R B7 5"};

TEST_F(EndToEnd, StartsOverTheAdapterShowsThePicVersionAndExits)
{
    emu::Emulator adapter;
    const int device = testbed_->addDevice({}, &adapter);
    Program program(*testbed_, false);

    const std::string main = waitForWindow(MainTitle);
    ASSERT_FALSE(main.empty()) << "the main window was not shown";
    EXPECT_THAT(pictures(testbed_->log(device)), ElementsAreArray(StartUp));
    std::vector<std::string> opening;
    for (const NodeIoctl& io : testbed_->ioctls(device))
        if (io.kind == NodeIoctl::Kind::SetConfiguration) opening.push_back(usbtest::describe(io));
    EXPECT_THAT(opening, testing::ElementsAre("SETCONFIGURATION 1"));

    // &Help, &PIC Version
    keys(main, {"alt+h", "p"});
    const std::string box = waitForWindow(MessageTitle);
    ASSERT_FALSE(box.empty()) << "no message box for the PIC version";
    keys(box, {"Return"});
    std::vector<std::string> expected = StartUp;
    expected.insert(expected.end(), {"R FF 8", "R FF 8", "R FF 8"});
    EXPECT_THAT(pictures(testbed_->log(device)), ElementsAreArray(expected));

    // &Setting, &Exit
    keys(main, {"alt+s", "e"});
    EXPECT_EQ(program.exitCode(), std::optional<int>(0));
    EXPECT_THAT(pictures(testbed_->log(device)), ElementsAreArray(expected));
}

// A start that ends with one message: nothing is sent and no window is shown.
struct Refusal {
    const char* name;
    bool adapter;
    mode_t mode;
    bool lockAfterScan;
    const char* text;
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class RefusedStart : public EndToEnd, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusedStart, ShowsOneMessageAndExitsWithZero)
{
    const Refusal& c = GetParam();
    emu::Emulator adapter;
    std::optional<int> device;
    if (c.adapter) {
        device = testbed_->addDevice({}, &adapter);
        testbed_->setMode(*device, c.mode);
        if (c.lockAfterScan) testbed_->lockAfterScan(*device);
    }
    if (geteuid() == 0 && run({"setpriv", "--bounding-set=-dac_override", "--", "echo", "ok"},
                              {pathVariable()}) != "ok\n")
        GTEST_SKIP() << "setpriv cannot drop CAP_DAC_OVERRIDE here, so node modes do not apply";
    Program program(*testbed_, true);

    const std::string box = waitForWindow(MessageTitle);
    ASSERT_FALSE(box.empty()) << "no message was shown";
    EXPECT_TRUE(windows(MainTitle).empty());
    keys(box, {"Return"});
    EXPECT_EQ(program.exitCode(), std::optional<int>(0));
    if (device) {
        EXPECT_TRUE(testbed_->log(*device).empty());
        for (const NodeIoctl& io : testbed_->ioctls(*device))
            EXPECT_NE(io.kind, NodeIoctl::Kind::Control);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EndToEnd, RefusedStart,
    testing::Values(Refusal{"NoDevice", false, 0644, false, NotFoundText},
                    Refusal{"ReadOnlyNode", true, 0444, false, NoPermissionText},
                    Refusal{"NodeThatCannotBeOpened", true, 0644, true, NoPermissionText}),
    [](const testing::TestParamInfo<Refusal>& info) { return info.param.name; });

// The texts of those messages, from the same program run in this process
// over the same libusb path: an X display offers no way to read the text of
// a message box from outside.
class MessageText : public testing::TestWithParam<Refusal> {};

TEST_P(MessageText, IsTheOneOfTheOutcome)
{
    if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
    const Refusal& c = GetParam();
    UsbTestbed testbed;
    emu::Emulator adapter;
    std::optional<int> device;
    if (c.adapter) {
        device = testbed.addDevice({}, &adapter);
        testbed.setMode(*device, c.mode);
        if (c.lockAfterScan) testbed.lockAfterScan(*device);
    }

    // Reads the message box that the program shows and closes it.
    QStringList texts;
    std::thread reader([&texts] {
        while (QCoreApplication::instance() == nullptr) std::this_thread::sleep_for(5ms);
        std::function<void()> look;
        look = [&texts, &look] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                box->accept();
                return;
            }
            QTimer::singleShot(10, QCoreApplication::instance(), look);
        };
        QMetaObject::invokeMethod(QCoreApplication::instance(), look, Qt::QueuedConnection);
    });
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = -1;
    {
        usbtest::ModesTakeEffect asUser;
        if (!asUser.usable()) GTEST_SKIP() << "cannot drop CAP_DAC_OVERRIDE, so node modes do not apply";
        // What brisel-setting's main() does.
        result = runProgram("brisel-setting", openUsbAdapter, {});
    }
    reader.join();
    if (result == -1) return;
    EXPECT_EQ(result, 0);
    EXPECT_THAT(texts, testing::ElementsAre(QString::fromLatin1(c.text)));
    if (device) {
        EXPECT_TRUE(testbed.log(*device).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    EndToEnd, MessageText,
    testing::Values(Refusal{"NoDevice", false, 0644, false, NotFoundText},
                    Refusal{"ReadOnlyNode", true, 0444, false, NoPermissionText},
                    Refusal{"NodeThatCannotBeOpened", true, 0644, true, NoPermissionText}),
    [](const testing::TestParamInfo<Refusal>& info) { return info.param.name; });

const auto* const display = testing::AddGlobalTestEnvironment(new VirtualDisplay);

}  // namespace
