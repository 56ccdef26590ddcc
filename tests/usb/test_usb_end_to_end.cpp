// The real brisel-setting program over emulated USB devices, on a virtual X
// display of the test's own, driven from outside the way a user drives it:
// the window titles, the menu's keyboard accelerators, Enter on a message
// box. The program gets nothing but the testbed's environment; its libusb
// walks the testbed's buses and its requests are answered by the emulator in
// this process.

#include "app/qt_host.h"
#include "app/run.h"
#include "device/usb_transport.h"
#include "dialogs/adapter_action.h"
#include "emulator/emulator.h"
#include "tests/support/named_case.h"
#include "tests/usb/child_process.h"
#include "tests/usb/usb_testbed.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::chrono_literals;
using usbtest::Child;
using usbtest::Clock;
using usbtest::milliseconds;
using usbtest::pathVariable;

namespace {

// Runs a helper program to its end: its standard output, or nothing if it
// failed or did not end within five seconds.
std::optional<std::string> run(std::vector<std::string> argv, std::vector<std::string> env)
{
    Child child(std::move(argv), std::move(env));
    const auto end = Clock::now() + 5s;
    std::string out = child.output(5s);
    if (child.exitCode(std::chrono::duration_cast<milliseconds>(end - Clock::now())) != 0) return {};
    return out;
}

const char* const MainTitle = "Brisel Setting Program V03.06";

class EndToEnd : public testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
        const std::string number = xvfb_.output(20s, true);
        if (!number.ends_with('\n')) GTEST_SKIP() << "Xvfb did not start (is the xvfb package installed?)";
        display_ = "DISPLAY=:" + number.substr(0, number.size() - 1);
        if (!xdotool({"version"})) GTEST_SKIP() << "xdotool is missing";
    }

    std::optional<std::string> xdotool(std::vector<std::string> args) const
    {
        args.insert(args.begin(), "xdotool");
        return run(std::move(args), {pathVariable(), display_});
    }
    void start()
    {
        std::vector<std::string> env = testbed_.environment();
        env.insert(env.end(), {pathVariable(), display_, "QT_QPA_PLATFORM=xcb"});
        program_.emplace(std::vector<std::string>{BRISEL_SETTING_PROGRAM}, env);
    }
    // The first of the program's visible windows whose title is `title`.
    std::string waitForWindow(const std::string& title) const
    {
        const std::string pid = std::to_string(program_->pid());
        for (const auto end = Clock::now() + 30s; Clock::now() < end; std::this_thread::sleep_for(100ms))
            if (auto found = xdotool({"search", "--all", "--onlyvisible", "--pid", pid, "--name", "^" + title + "$"}))
                return found->substr(0, found->find('\n'));
        return {};
    }
    void keys(const std::string& window, const std::vector<std::string>& sequence) const
    {
        EXPECT_TRUE(xdotool({"windowfocus", "--sync", window}));
        for (const std::string& key : sequence) EXPECT_TRUE(xdotool({"key", "--clearmodifiers", key})) << key;
    }

    // A virtual X display. Xvfb picks a free display number itself and reports
    // it (-displayfd); it takes a number by binding its abstract socket, which
    // two servers cannot both do, so tests running in parallel never share a
    // display. -noreset: by default the server resets when its last client
    // leaves and drops a client that connects during the reset, so a program
    // starting just as an xdotool run ends could not connect.
    Child xvfb_{{"Xvfb", "-displayfd", "1", "-noreset", "-nolisten", "tcp", "-screen", "0", "1024x768x24"},
                {pathVariable()}};
    std::string display_;  // DISPLAY=:N
    // Destroyed in reverse: the program ends before the testbed and the display.
    usbtest::UsbTestbed testbed_;
    std::optional<Child> program_;
};

// Each choice of "&PIC Version" (Alt+H, P) that reaches the adapter reads the
// version in 8-byte pieces of 0xFF; its message box is closed with Enter.
TEST_F(EndToEnd, StartsFindsThePluggedInAdapterAgainAndExits)
{
    emu::Emulator adapter;
    const int device = testbed_.addDevice({}, &adapter);
    start();

    const std::string main = waitForWindow(MainTitle);
    ASSERT_FALSE(main.empty()) << "the main window was not shown";
    EXPECT_THAT(testbed_.configurations(device), testing::ElementsAre(1));
    const std::size_t startUp = testbed_.log(device).size();
    EXPECT_GT(startUp, 0u) << "start-up sent nothing over USB";
    auto picVersion = [&](int plugged) -> std::size_t {
        const std::size_t before = testbed_.log(plugged).size();
        keys(main, {"alt+h", "p"});
        const std::string box = waitForWindow(MessageTitle);
        EXPECT_FALSE(box.empty()) << "no message box";
        if (box.empty()) return 0;
        keys(box, {"Return"});
        const std::vector<emu::LogEntry> log = testbed_.log(plugged);
        for (std::size_t i = before; i < log.size(); ++i)
            EXPECT_TRUE(log[i].isRead() && log[i].request == 0xFF && log[i].length == 8) << i;
        return log.size() - before;
    };
    EXPECT_GT(picVersion(device), 0u) << "the PIC version was not read over USB";

    // Pulled out: the choice ends with the lost-adapter message, the next
    // finds no adapter; plugged in at another address, the next reads again.
    testbed_.removeDevice(device);
    EXPECT_EQ(picVersion(device), 0u);
    EXPECT_EQ(picVersion(device), 0u);
    const int again = testbed_.addDevice({1, 7}, &adapter);
    EXPECT_GT(picVersion(again), 0u) << "the plugged-in adapter was not found again";
    EXPECT_THAT(testbed_.configurations(again), testing::ElementsAre(1));

    keys(main, {"alt+s", "e"});  // &Setting, &Exit
    EXPECT_EQ(program_->exitCode(10s), std::optional<int>(0));
}

// A start that ends with one message and sends nothing to the adapter: the
// program run in this process over the same libusb path, since an X display
// offers no way to read the text of a message box from outside. Whatever it
// shows is noted and taken down: a message box by its text, another window
// by its title.
struct Refusal {
    const char* name;
    bool adapter;
    mode_t mode;
    bool vanishAfterScan;
    const char* text;
};

NAMED_CASE(Refusal)

std::vector<std::string> shown;

void closeWhatIsShown()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box != nullptr && box->isVisible()) {
            shown.push_back(box->text().toStdString());
            box->accept();
        } else if (window->isVisible()) {
            shown.push_back(window->windowTitle().toStdString());
            window->close();
        }
    }
    QTimer::singleShot(10, QCoreApplication::instance(), closeWhatIsShown);
}

class RefusedStart : public testing::TestWithParam<Refusal> {};

TEST_P(RefusedStart, ShowsTheMessageOfTheOutcomeAndSendsNothing)
{
    if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
    const Refusal& c = GetParam();
    usbtest::UsbTestbed testbed;
    emu::Emulator adapter;
    const int device = c.adapter ? testbed.addDevice({}, &adapter) : -1;
    if (c.adapter) testbed.setMode(device, c.mode);
    if (c.vanishAfterScan) testbed.vanishAfterScan(device);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    [[maybe_unused]] static const bool closing =
        (qAddPreRoutine([] {  // as each application starts
             QTimer::singleShot(10, QCoreApplication::instance(), closeWhatIsShown);
         }),
         true);
    shown.clear();

    EXPECT_EQ(runProgram("brisel-setting", usbAdapterOpener(), {}), 0);  // what main() does
    EXPECT_THAT(shown, testing::ElementsAre(c.text));
    if (c.adapter) {
        EXPECT_TRUE(testbed.log(device).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, RefusedStart,
                         testing::Values(Refusal{"NoDevice", false, 0644, false, NotFoundText},
                                         Refusal{"ReadOnlyNode", true, 0444, false, NoPermissionText},
                                         Refusal{"NodeMissingAfterTheScan", true, 0644, true, NodeMissingText}),
                         [](const testing::TestParamInfo<Refusal>& info) { return info.param.name; });

}  // namespace
