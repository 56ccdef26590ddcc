// The Windows twins of the system calls, each held to the rule it stands for.

#include "device/adapter_list.h"
#include "device/adapter_lock.h"
#include "device/shown_text.h"
#include "device/windows_text.h"
#include "emulator/demo_memory.h"
#include "interrupts/signals.h"
#include "settings_file/file_writer.h"
#include "settings_file/own_copy.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using Kind = settings::WriteProblem::Kind;

std::string scratch(const std::string& name)
{
    const fs::path folder = fs::temp_directory_path() / ("brisel-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder);
    return windows_text::utf8((folder / fs::path(windows_text::wide(name))).wstring());
}

// libusb-win32 names buses "bus-N" and devices by their driver's name.
TEST(WindowsTwins, AnAdapterIsNamedByItsBusAndDeviceNames)
{
    const UsbDeviceId adapter{0x04D8, 0x0300};
    const std::string second = "\\\\.\\libusb0-0012--0x04d8-0x0300";
    EXPECT_EQ(adaptersAmong({{"bus-0", "\\\\.\\libusb0-0001--0x1d6b-0x0002", {0x1D6B, 2}}, {"bus-1", second, adapter}}),
              (std::vector<AdapterNode>{{1, {1, 12}, second}}));
    ASSERT_TRUE(parseAdapterChoice("1:12"));
    EXPECT_EQ(parseAdapterChoice("1:12")->address, (AdapterAddress{1, 12}));
}

// Another program's lock (here: a handle of this test's own) keeps the
// adapter or file in use until it is let go; the device name is locked
// through a file of its own.
TEST(WindowsTwins, TheLockIsInUseWhileAnotherHandleHoldsIt)
{
    const std::string file = scratch("demo-adapter.toml");
    settings::writeWholeFile(file, "format = 1\n", true);
    for (const std::string& path : {file, std::string("\\\\.\\libusb0-0007--0x04d8-0x0300")}) {
        LockAttempt first = lockAdapterNode(path);
        ASSERT_EQ(first.outcome, LockAttempt::Outcome::Taken) << path;
        // The file is replaced under the lock, and the process takes it again.
        if (path == file) settings::writeWholeFile(file, "format = 1\n", true);
        EXPECT_EQ(lockAdapterNode(path).outcome, LockAttempt::Outcome::Taken) << path;
        first = {};
        // Another program's lock: a handle this process did not take through lockAdapterNode.
        const std::wstring lockFile = path == file ? windows_text::wide(file + ".lock") : L"";
        const HANDLE other = CreateFileW(lockFile.c_str(), GENERIC_READ, 7, nullptr, OPEN_EXISTING, 0, nullptr);
        OVERLAPPED range{};
        range.OffsetHigh = 0x40000000;
        if (other != INVALID_HANDLE_VALUE) {
            ASSERT_TRUE(LockFileEx(other, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &range));
        }
        EXPECT_EQ(lockAdapterNode(path).outcome,
                  other != INVALID_HANDLE_VALUE ? LockAttempt::Outcome::InUse : LockAttempt::Outcome::Taken);
        if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
        EXPECT_EQ(lockAdapterNode(path).outcome, LockAttempt::Outcome::Taken) << path;
    }
    EXPECT_EQ(lockAdapterNode(scratch("none.toml")).outcome, LockAttempt::Outcome::Missing);
}

// Without replace a taken name stays; a device path, a name kept for a
// device, or a folder is never written; names are UTF-8 throughout.
TEST(WindowsTwins, TheFileWriterPlacesWholeFilesOnlyWhereItMay)
{
    const std::string taken = scratch("taken.toml"), named = scratch("Grüße 日本.toml");
    settings::writeWholeFile(taken, "old", true);
    const std::pair<std::string, Kind> refused[] = {{taken, Kind::Exists},
                                                    {scratch("NUL"), Kind::NotRegular},
                                                    {"\\\\.\\C:", Kind::NotRegular},
                                                    {scratch("con.toml"), Kind::NotRegular},
                                                    {scratch(""), Kind::Failed}};
    for (const auto& [path, kind] : refused) {
        try {
            settings::writeWholeFile(path, "new", false);
            ADD_FAILURE() << path << " was written";
        } catch (const settings::WriteError& error) {
            EXPECT_EQ(error.problem().kind, kind) << path;
        }
    }
    settings::writeWholeFile(named, "format = 1\n", false);
    EXPECT_EQ(settings::readSettingsText(named, true), "format = 1\n");
    EXPECT_EQ(settings::readSettingsText(taken, true), "old");
    settings::makePrivateFolder(scratch("a\\b\\c"));
    EXPECT_EQ(settings::writeUnderFreeName(scratch("a\\b\\c"), {"x.toml"}, "x"), scratch("a\\b\\c\\x.toml"));
    EXPECT_THROW(settings::readSettingsText(scratch("a"), true), settings::StoreError);
    fs::remove_all(fs::path(windows_text::wide(scratch(""))));
}

// A path shows with its backslashes as they are, doubled only where one
// could pass for the start of an escape; the command that puts a copy back
// is quoted for cmd and PowerShell.
TEST(WindowsTwins, PathsAreShownAndQuotedTheWindowsWay)
{
    const std::pair<std::string, std::string> shownAs[] = {
        {"C:\\Users\\ann\\f.toml", "C:\\Users\\ann\\f.toml"},
        {"C:\\xavier\\", "C:\\xavier\\"},
        {"\\\\.\\libusb0-0002--0x04d8-0x0300", "\\\\.\\libusb0-0002--0x04d8-0x0300"},
        {"C:\\x41", "C:\\\\x41"},      // else read as "A"
        {"a\\\\x41", "a\\\\\\\\x41"},  // the whole run doubled
        {"a\\\x1B", "a\\\\\\x1B"}};    // before an escape
    for (const auto& [text, shown] : shownAs) EXPECT_EQ(shown::fromUtf8(text), shown) << text;
    EXPECT_EQ(shown::clipped(std::string(79, 'a') + "\\b"), std::string(79, 'a') + "\\\u2026");

    const std::pair<std::vector<std::string>, std::string> commands[] = {
        {{"restore", "C:\\Users\\ann\\f.toml"}, "brisel-ctl restore C:\\Users\\ann\\f.toml"},
        {{"--device", "1:2", "restore", "C:\\Ann Lee\\a,b.toml"},
         "brisel-ctl --device 1:2 restore \"C:\\Ann Lee\\a,b.toml\""},
        {{"restore", "C:\\a$b\\it's 100%.toml"}, "brisel-ctl restore 'C:\\a$b\\it''s 100%.toml'"}};
    for (const auto& [arguments, line] : commands) EXPECT_EQ(settings::commandLine(arguments), line);
}

// The program's own files go under %LOCALAPPDATA%\brisel-setting, their
// paths joined by backslashes alone, as messages show them.
TEST(WindowsTwins, TheStateFolderIsInLocalAppData)
{
    wchar_t local[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::string folder = windows_text::utf8(std::wstring(local, length)) + "\\brisel-setting";
    EXPECT_EQ(settings::stateFolder(), folder);
    EXPECT_EQ(settings::automaticBackupFolder(), folder + "\\backups");
    EXPECT_EQ(emu::defaultDemoFile(), folder + "\\demo-adapter.toml");
    EXPECT_EQ(settings::recordPath(folder, settings::identityOf(std::nullopt)).find('/'), std::string::npos);
    EXPECT_EQ(settings::pathIn("C:\\", "a.toml"), "C:\\a.toml");
}

// Ctrl+Break while a group is written is only noted; the group goes on.
TEST(WindowsTwins, ConsoleEventsAreNotedWhileTheWorkIsHeld)
{
    interrupts::SignalCatcher catcher;
    catcher.holdFromNowOn();
    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0)) << GetLastError();
    for (int i = 0; i < 500 && catcher.caught() == 0; ++i) Sleep(10);
    EXPECT_EQ(catcher.caught(), SIGBREAK);
    EXPECT_STREQ(interrupts::signalName(catcher.caught()), "SIGBREAK");
}

}  // namespace
