// The real brisel-setting program over emulated USB devices, on a virtual X
// display of the test's own, driven from outside the way a user drives it:
// the window titles, the menu's keyboard accelerators, Enter on a message
// box. The program gets nothing but the testbed's environment; its libusb
// walks the testbed's buses and its requests are answered by the emulator in
// this process.

#include "app/qt_host.h"
#include "app/run.h"
#include "app/usb_adapter.h"
#include "emulator/emulator.h"
#include "tests/usb/usb_testbed.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using usbtest::NodeIoctl;

namespace {

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

// A program started with exactly the given environment, in a process group
// of its own that gets SIGTERM when this test process ends, however it ends.
// It is stopped with SIGTERM (Xvfb then removes its socket) and only after
// five seconds with SIGKILL. A `held` child waits for release() before it
// runs, so that the caller can register its pid first.
class Child {
public:
    Child(std::vector<std::string> argv, std::vector<std::string> env, int out = -1, bool held = false)
    {
        auto args = pointers(argv);
        auto envp = pointers(env);
        const pid_t parent = getpid();
        pid_ = fork();
        if (pid_ == 0) {
            setpgid(0, 0);
            if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) _exit(127);
            if (out >= 0) dup2(out, STDOUT_FILENO);
            if (held) raise(SIGSTOP);
            execvpe(args[0], args.data(), envp.data());
            _exit(127);
        }
        setpgid(pid_, pid_);  // whichever side runs first
        int status = 0;
        if (held) waitpid(pid_, &status, WUNTRACED);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() { stop(); }

    pid_t pid() const { return pid_; }
    void release() { kill(pid_, SIGCONT); }

    // The exit status (128 + signal when killed), or nothing if the child
    // has not ended within `limit`.
    std::optional<int> exitCode(std::chrono::milliseconds limit)
    {
        for (const auto end = Clock::now() + limit; !status_; std::this_thread::sleep_for(20ms)) {
            int status = 0;
            const pid_t r = waitpid(pid_, &status, WNOHANG);
            if (r == pid_) status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            else if (r < 0) status_ = -1;
            else if (Clock::now() > end) break;
        }
        return status_;
    }

    void stop()
    {
        if (pid_ <= 0 || exitCode(0ms)) return;
        kill(-pid_, SIGTERM);
        kill(-pid_, SIGCONT);  // a held child takes the signal only when running
        if (exitCode(5s)) return;
        kill(-pid_, SIGKILL);
        exitCode(5s);
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;  // once reaped, the pid is never signalled again
};

struct Ran {
    std::optional<int> code;
    std::string out;
};

// Runs a helper program to its end, for at most five seconds.
Ran run(std::vector<std::string> argv, std::vector<std::string> env)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return {};
    Child child(std::move(argv), std::move(env), fds[1]);
    close(fds[1]);
    Ran ran;
    pollfd p{fds[0], POLLIN, 0};
    char chunk[512];
    ssize_t n = 1;
    const auto end = Clock::now() + 5s;
    while (n > 0 && Clock::now() < end)
        if (poll(&p, 1, 50) > 0 && (n = read(fds[0], chunk, sizeof chunk)) > 0)
            ran.out.append(chunk, static_cast<std::size_t>(n));
    close(fds[0]);
    ran.code = child.exitCode(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()));
    return ran;  // a helper still running is stopped here
}

// A virtual X display. Xvfb picks a free display number itself and reports it
// (-displayfd); it takes a number by binding its abstract socket, which two
// servers cannot both do, so tests running in parallel never share a display.
// -noreset: by default the server resets when its last client leaves and
// drops a client that connects during the reset, so a program starting just
// as an xdotool run ends could not connect.
class Display {
public:
    Display()
    {
        int fds[2];
        if (pipe(fds) != 0) return;
        xvfb_.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-noreset",
                                               "-nolisten", "tcp", "-screen", "0", "1024x768x24"},
                      std::vector<std::string>{pathVariable()});
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c = 0;
        for (const auto end = Clock::now() + 20s; c != '\n' && Clock::now() < end;)
            if (poll(&p, 1, 100) > 0) {
                if (read(fds[0], &c, 1) != 1) break;
                number += c;
            }
        close(fds[0]);
        if (c == '\n') name = ":" + number.substr(0, number.size() - 1);
    }

    std::string name;  // ":N", or empty when Xvfb did not start

private:
    std::optional<Child> xvfb_;
};

const char* const MainTitle = "Brisel Setting Program V03.06";

class EndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
        display_.emplace();
        if (display_->name.empty()) GTEST_SKIP() << "Xvfb did not start (is the xvfb package installed?)";
        if (xdotool({"version"}).code != 0) GTEST_SKIP() << "xdotool is missing";
        testbed_.emplace();
    }

    std::vector<std::string> xEnvironment() const { return {pathVariable(), "DISPLAY=" + display_->name}; }
    Ran xdotool(std::vector<std::string> args) const
    {
        args.insert(args.begin(), "xdotool");
        return run(std::move(args), xEnvironment());
    }

    void start(bool asUser)
    {
        std::vector<std::string> env = xEnvironment();
        for (const std::string& e : testbed_->environment()) env.push_back(e);
        env.push_back("QT_QPA_PLATFORM=xcb");
        std::vector<std::string> argv = {BRISEL_SETTING_PROGRAM};
        if (asUser && geteuid() == 0) {
            // Without the DAC override capabilities, root meets node modes
            // the way a user does.
            argv.insert(argv.begin(), {"setpriv", "--inh-caps=-dac_override,-dac_read_search",
                                       "--bounding-set=-dac_override,-dac_read_search", "--"});
        }
        program_.emplace(argv, env, -1, true);
        testbed_->setClient(program_->pid());
        program_->release();
    }

    // The program's visible windows whose title is exactly `title`.
    std::string window(const std::string& title) const
    {
        const std::string found = xdotool({"search", "--all", "--onlyvisible", "--pid",
                                           std::to_string(program_->pid()), "--name", "^" + title + "$"})
                                      .out;
        return found.substr(0, found.find('\n'));
    }
    std::string waitForWindow(const std::string& title) const
    {
        std::string id;
        for (const auto end = Clock::now() + 30s; id.empty() && Clock::now() < end;
             std::this_thread::sleep_for(100ms))
            id = window(title);
        return id;
    }
    void keys(const std::string& window, const std::vector<std::string>& sequence) const
    {
        EXPECT_EQ(xdotool({"windowfocus", "--sync", window}).code, 0);
        for (const std::string& key : sequence)
            EXPECT_EQ(xdotool({"key", "--clearmodifiers", key}).code, 0) << key;
    }

    // Destroyed in reverse: the program ends before the testbed and the display.
    std::optional<Display> display_;
    std::optional<usbtest::UsbTestbed> testbed_;
    std::optional<Child> program_;
};

TEST_F(EndToEnd, StartsOverTheAdapterShowsThePicVersionAndExits)
{
    emu::Emulator adapter;
    const int device = testbed_->addDevice({}, &adapter);
    start(false);

    const std::string main = waitForWindow(MainTitle);
    ASSERT_FALSE(main.empty()) << "the main window was not shown";
    std::vector<int> configurations;
    for (const NodeIoctl& io : testbed_->ioctls(device))
        if (io.kind == NodeIoctl::Kind::SetConfiguration) configurations.push_back(io.configuration);
    EXPECT_THAT(configurations, testing::ElementsAre(1));
    const std::size_t startUp = testbed_->log(device).size();
    EXPECT_GT(startUp, 0u) << "start-up sent nothing over USB";

    keys(main, {"alt+h", "p"});  // &Help, &PIC Version
    const std::string box = waitForWindow(MessageTitle);
    ASSERT_FALSE(box.empty()) << "no message box for the PIC version";
    keys(box, {"Return"});
    const std::vector<emu::LogEntry> log = testbed_->log(device);
    ASSERT_GT(log.size(), startUp) << "the PIC version was not read over USB";
    for (std::size_t i = startUp; i < log.size(); ++i)
        EXPECT_TRUE(log[i].isRead() && log[i].request == 0xFF && log[i].length == 8) << i;

    keys(main, {"alt+s", "e"});  // &Setting, &Exit
    EXPECT_EQ(program_->exitCode(10s), std::optional<int>(0));
    EXPECT_EQ(testbed_->log(device).size(), log.size());
}

// A start that ends with one message, and sends nothing to the adapter.
struct Refusal {
    const char* name;
    bool adapter;
    mode_t mode;
    bool lockAfterScan;
    const char* text;
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

const Refusal NoDevice{"NoDevice", false, 0644, false, NotFoundText};
const Refusal ReadOnlyNode{"ReadOnlyNode", true, 0444, false, NoPermissionText};
const Refusal Unopenable{"NodeThatCannotBeOpened", true, 0644, true, NoPermissionText};

std::optional<int> plug(usbtest::UsbTestbed& testbed, emu::Emulator& adapter, const Refusal& c)
{
    if (!c.adapter) return std::nullopt;
    const int device = testbed.addDevice({}, &adapter);
    testbed.setMode(device, c.mode);
    if (c.lockAfterScan) testbed.lockAfterScan(device);
    return device;
}

TEST_F(EndToEnd, AReadOnlyNodeShowsOneMessageNoWindowAndExitsWithZero)
{
    emu::Emulator adapter;
    const std::optional<int> device = plug(*testbed_, adapter, ReadOnlyNode);
    if (geteuid() == 0 &&
        run({"setpriv", "--bounding-set=-dac_override", "--", "true"}, {pathVariable()}).code != 0)
        GTEST_SKIP() << "setpriv cannot drop CAP_DAC_OVERRIDE here, so node modes do not apply";
    start(true);

    const std::string box = waitForWindow(MessageTitle);
    ASSERT_FALSE(box.empty()) << "no message was shown";
    EXPECT_TRUE(window(MainTitle).empty());
    keys(box, {"Return"});
    EXPECT_EQ(program_->exitCode(10s), std::optional<int>(0));
    EXPECT_TRUE(testbed_->log(*device).empty());
}

// The texts of the messages, from the same program run in this process over
// the same libusb path (an X display offers no way to read the text of a
// message box from outside). Every message box shown is read and closed.
QStringList shownTexts;

void closeMessageBoxes()
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shownTexts << box->text();
        box->accept();
    }
    QTimer::singleShot(10, QCoreApplication::instance(), closeMessageBoxes);
}

class MessageText : public testing::TestWithParam<Refusal> {};

TEST_P(MessageText, IsTheOneOfTheOutcomeAndNothingIsSent)
{
    if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
    const Refusal& c = GetParam();
    usbtest::UsbTestbed testbed;
    emu::Emulator adapter;
    const std::optional<int> device = plug(testbed, adapter, c);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    [[maybe_unused]] static const bool closing = (qAddPreRoutine([] {  // as each application starts
        QTimer::singleShot(10, QCoreApplication::instance(), closeMessageBoxes);
    }), true);
    shownTexts.clear();

    usbtest::ModesTakeEffect asUser;
    if (!asUser.usable()) GTEST_SKIP() << "cannot drop CAP_DAC_OVERRIDE, so node modes do not apply";
    EXPECT_EQ(runProgram("brisel-setting", openUsbAdapter, {}), 0);  // what main() does
    EXPECT_THAT(shownTexts, testing::ElementsAre(QString::fromLatin1(c.text)));
    if (device) {
        EXPECT_TRUE(testbed.log(*device).empty());
        for (const NodeIoctl& io : testbed.ioctls(*device)) EXPECT_NE(io.kind, NodeIoctl::Kind::Control);
    }
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, MessageText, testing::Values(NoDevice, ReadOnlyNode, Unopenable),
                         [](const testing::TestParamInfo<Refusal>& info) { return info.param.name; });

}  // namespace
