// The main window's "&File" menu over the emulated adapter: the file it
// saves is the one brisel-ctl backs up, and loading it onto an adapter that
// holds other values asks first, backs up, and leaves the adapter holding
// the file's settings.

#include "app/eeprom_set.h"
#include "app/end_on_signals.h"
#include "app/qt_host.h"
#include "app/record_at_start.h"
#include "dialogs/basicinfo.h"
#include "dialogs/unit12.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"
#include "tests/support/ctl_run.h"
#include "tests/support/dialog_helpers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <sstream>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct FileMenu : testing::Test {
    QTemporaryDir folder;
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    void SetUp() override { qputenv("XDG_STATE_HOME", folder.path().toUtf8()); }

    // Saves a.toml with the File menu of a program over an adapter prepared
    // by `prepare`; returns what that adapter holds.
    template <typename Prepare>
    emu::AdapterState saveFile(Prepare prepare)
    {
        Rig source;
        prepare(source.emulator.state());
        Windows from = source.start();
        source.host.fileToChoose = path("a.toml");
        dlg::trigger(*from.mainWindow, QStringLiteral("SaveToFile1"));
        return source.emulator.state();
    }
    // Loads a.toml with the File menu of a program over `rig`, answering
    // the question with `yes`.
    template <typename AnyRig>
    Windows loadFile(AnyRig& rig, bool yes)
    {
        Windows w = rig.start();
        rig.host.fileToChoose = path("a.toml");
        rig.host.answer = yes;
        dlg::trigger(*w.mainWindow, QStringLiteral("LoadFromFile1"));
        return w;
    }
};

TEST_F(FileMenu, SavesWhatBriselCtlBacksUpAndSendsNoWrite)
{
    Rig rig;
    rig.emulator.state().delayTime = 42;
    Windows w = rig.start();
    rig.emulator.clearLog();
    rig.host.fileToChoose = path("gui.toml");
    dlg::trigger(*w.mainWindow, QStringLiteral("SaveToFile1"));
    for (const emu::LogEntry& e : rig.emulator.requests()) EXPECT_TRUE(e.isRead() || e.length == 0) << emu::describe(e);

    std::ostringstream out, err;
    ASSERT_EQ(ctltest::runDemo(rig.emulator, {"backup", "-"}, out, err, {}), 0) << err.str();
    EXPECT_EQ(contents(path("gui.toml")).toStdString(), out.str());
}

TEST_F(FileMenu, LoadAsksBacksUpWritesAndShowsWhatTheAdapterHolds)
{
    const emu::AdapterState saved = saveFile([](emu::AdapterState& s) {
        s.delayTime = 42;
        s.preBit = 0x0E;
        s.baudCode = 192;
        s.altMyCall = dlg::block<8>("N0CALL B", ' ');
        s.serialMode = 5;  // GPS receive
    });

    for (bool yes : {false, true}) {
        Rig rig;
        const emu::AdapterState before = rig.emulator.state();
        Windows w = loadFile(rig, yes);
        ASSERT_EQ(rig.host.asked.size(), 1);
        // Each value by its field's label, as its box shows it.
        EXPECT_TRUE(rig.host.asked[0].contains(QStringLiteral("\n  Delay Time: 300 -> 420\n")));
        // A call sign without its padding, its blank not to be broken; a
        // mode by its button.
        EXPECT_TRUE(rig.host.asked[0].contains(QStringLiteral("\n  Alter My Call Sign: N0CALL -> N0CALL\u00A0B\n")));
        EXPECT_TRUE(rig.host.asked[0].contains(QStringLiteral("\n  RS232C Mode: Command Mode -> GPS RCV Mode\n")));
        EXPECT_TRUE(rig.host.asked[0].contains(QStringLiteral("\n  PreBitPattern: F0 -> 0E\n")));
        EXPECT_TRUE(rig.host.asked[0].contains(QStringLiteral("\n  Baud Rate: 9600 -> 19200\n")))
            << rig.host.asked[0].toStdString();
        if (!yes) {
            EXPECT_EQ(rig.emulator.state(), before);
            continue;
        }
        EXPECT_EQ(rig.emulator.state(), saved);
        EXPECT_EQ(rig.host.messages, QStringList{QStringLiteral("The adapter now holds the settings of the file.")});
        EXPECT_TRUE(dlg::child<QRadioButton>(*w.serialPortDialog, QStringLiteral("S19200")).isChecked());
        EXPECT_EQ(QDir(path("brisel-setting/backups")).entryList(QDir::Files).size(), 1);
    }
}

// A value the adapter does not take is named with what it holds, in the
// desktop program's words and in brisel-ctl's, from the same judgement.
TEST_F(FileMenu, LoadNamesTheValueTheAdapterDidNotTake)
{
    saveFile([](emu::AdapterState& s) { s.delayTime = 42; });
    Rig rig;
    rig.emulator.injectFault({emu::FaultKind::Stall, 0x02, 1});
    Windows w = loadFile(rig, true);
    EXPECT_EQ(rig.host.messages,
              QStringList{QStringLiteral(
                  "The adapter did not take these values:\n  Delay Time: sent 420, the adapter holds 300")});

    std::ostringstream out, err;
    rig.emulator.clearFaults();
    rig.emulator.injectFault({emu::FaultKind::Stall, 0x02, 1});
    EXPECT_EQ(ctltest::runDemo(rig.emulator, {"restore", "--no-backup", path("a.toml").toStdString()}, out, err, {}),
              76);
    EXPECT_NE(err.str().find("basic.delay_time_ms: wrote 420, reads back 300"), std::string::npos) << err.str();
}

// The adapter lost while the file's groups are written (at the basic
// group's pause before its read-back): the message names, by their
// dialogs' titles and fields' labels, what was written, what partly, and
// each value never sent, as brisel-ctl names them.
TEST_F(FileMenu, ALossDuringTheLoadNamesTheValuesNeverSent)
{
    saveFile([](emu::AdapterState& s) {
        s.delayTime = 42;
        s.beaconInterval = 12;
    });
    ConnectedRig rig;
    rig.host.whilePausing = [&] {
        rig.emulator.clearFaults();
        rig.emulator.unplugFrom(0);
    };
    Windows w = loadFile(rig, true);
    EXPECT_EQ(rig.host.messages,
              QStringList{QStringLiteral("The DV Brisel (Relavox) is no longer connected; nothing more was sent to it."
                                         "\n\nWritten completely before the adapter was lost: nothing. Partly written: "
                                         "Basic Infomation Setting; load the file again.\nNot sent: Beacon Interval "
                                         "timer.")});
}

// Every problem of a file is told in one message, escaped, and nothing is
// sent: also after a quoted key holding a NUL, in a file whose name holds a
// control character.
TEST_F(FileMenu, EveryProblemOfAFileIsToldEscapedInOneMessage)
{
    const struct {
        const char *name, *text;
        std::vector<QString> told;
    } files[] = {
        {"bad.toml",
         "format = 1\n[basic]\ndelay_time_ms = 505\n[beacon]\nnope = 1\n",
         {QStringLiteral("bad.toml:3:"), QStringLiteral("bad.toml:5:")}},
        {"n\x1B.toml",
         "format = 1\n[basic]\n\"a\\u0000b\" = 1\ndelay_time_ms = 505\nzz = 2\n",
         {QStringLiteral("n\\x1B.toml:3: Unknown key basic.a\\x00b."),
          QStringLiteral("n\\x1B.toml:4: Delay Time: 505 is not a multiple of 10"),
          QStringLiteral("n\\x1B.toml:5: Unknown key basic.zz.")}},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        QFile bad(path(f.name));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write(f.text);
        bad.close();
        Rig rig;
        Windows w = rig.start();
        rig.emulator.clearLog();
        rig.host.fileToChoose = bad.fileName();
        dlg::trigger(*w.mainWindow, QStringLiteral("LoadFromFile1"));
        EXPECT_TRUE(rig.emulator.log().empty());
        ASSERT_EQ(rig.host.messages.size(), 1);
        for (const QString& told : f.told) EXPECT_TRUE(rig.host.messages[0].contains(told)) << told.toStdString();
        EXPECT_FALSE(rig.host.messages[0].contains(QChar(0x1B)));
    }
}

// A file saved from an adapter that holds values the dialogs do not write
// (an S/N squelch of 0 with COS check off, resync error bits of 30) loads
// onto that adapter; onto another, each value is refused on its lines.
TEST_F(FileMenu, LoadRefusesOnlyWhatWouldChangeTheAdapter)
{
    const auto odd = [](emu::AdapterState& s) {
        s.resyncErrorBits = 30;
        s.optionFlags = 0x00;  // COS check off
        s.squelch = {0x00, 0x00};
    };
    saveFile(odd);
    for (bool same : {true, false}) {
        Rig rig;
        if (same) odd(rig.emulator.state());
        const emu::AdapterState before = rig.emulator.state();
        Windows w = loadFile(rig, true);
        EXPECT_EQ(rig.emulator.state(), before);
        ASSERT_EQ(rig.host.messages.size(), 1);
        const QString& message = rig.host.messages[0];
        if (same) {
            EXPECT_EQ(message, QStringLiteral("The adapter already holds the settings of the file."));
            continue;
        }
        EXPECT_TRUE(message.contains(QStringLiteral(
            "a.toml:10: Resync Error Bits: 30 is outside 0 to 24 bits; a value beyond is kept only where the adapter "
            "holds it already, and it holds 12.\n")))
            << message.toStdString();
        EXPECT_TRUE(message.contains(
            QStringLiteral("a.toml:21: S/N Squelch = 0 needs COS Check = ON; line 13 sets COS Check = OFF.\n")))
            << message.toStdString();
    }
}

using ctltest::isWrite;

// An adapter whose basic and repeater groups differ from the emulator's own.
void changeTwoGroups(emu::AdapterState& s)
{
    s.delayTime = 42;
    s.altMyCall = dlg::block<8>("N0CALL B", ' ');
}

struct Cut {
    const char* name;
    int killAtWrite;  // the child is killed as this write goes out (1: the first)
    const char* written;
    const char* halfWritten;
};

// A File > Load killed by SIGKILL in a child leaves its record: the values
// from before and the groups done. The next start tells it in one message
// once the main window is up; OK keeps it, "Forget this record" removes it.
TEST_F(FileMenu, AKilledLoadLeavesTheRecordThatTheNextStartTells)
{
    saveFile(changeTwoGroups);
    for (const Cut& c :
         {Cut{"DuringTheFirstGroup", 1, "nothing", "Basic Infomation Setting, Repeater Information Setting"},
          Cut{"DuringTheSecondGroup", 18, "Basic Infomation Setting", "Repeater Information Setting"}}) {
        SCOPED_TRACE(c.name);
        const int status = ctltest::inChild([&] {
            Rig rig;
            int writes = 0;
            rig.emulator.setListener([&](const emu::LogEntry& e) {
                if (isWrite(e) && ++writes == c.killAtWrite) kill(getpid(), SIGKILL);
            });
            Windows w = loadFile(rig, true);
            return 0;
        });
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), SIGKILL);

        const std::string record = path("brisel-setting/interrupted-demo.toml").toStdString();
        const auto kept = settings::readRecord(record);
        ASSERT_TRUE(kept.has_value());
        EXPECT_EQ(kept->job, settings::RecordJob::Load);
        EXPECT_EQ(kept->groups, (std::vector{settings::Group::Basic, settings::Group::Repeater}));
        ASSERT_EQ(settings::loadSettingsFile(record).values.basic->delayTime, std::optional<std::uint8_t>(30));

        Rig next;
        Windows w = next.start();
        next.emulator.clearLog();
        for (bool forget : {false, true}) {
            next.host.messages.clear();
            next.host.choices.clear();
            next.host.takeChoice = forget;
            if (forget) {
                tellWriteRecord(*w.context);
            } else {
                // As the program starts: told once the window is up and
                // the event loop runs.
                showMainWindow(w);
                EXPECT_TRUE(next.host.messages.isEmpty());
                QCoreApplication::processEvents();
                EXPECT_TRUE(w.mainWindow->isVisible());
            }
            const QString begun = QString::fromStdString(kept->begun);
            EXPECT_EQ(
                next.host.messages,
                QStringList{
                    QStringLiteral("A File > Load onto the emulated adapter was cut short on %1 at %2.\n"
                                   "Written completely: %3.\nMay be half written: %4.\n\n"
                                   "The settings from before it are in %5; File > Load of that file puts them "
                                   "back, and so does this command:\nbrisel-ctl --demo restore %5\n\nOK keeps this "
                                   "record until a later write onto this adapter has written completely again what may "
                                   "be half written.")
                        .arg(begun.left(10), begun.mid(11), QString::fromLatin1(c.written),
                             QString::fromLatin1(c.halfWritten), QString::fromStdString(record))});
            EXPECT_EQ(next.host.choices, QStringList{QStringLiteral("Forget this record")});
            EXPECT_EQ(QFile::exists(QString::fromStdString(record)), !forget);
        }
        EXPECT_TRUE(next.emulator.log().empty());  // telling it sends nothing
    }
}

// A Load or a dialog's Save that runs to its end leaves no record: it is
// there, with the value from before, while the result is told (here, a
// value the adapter did not take), and goes after. Where no record can be written, a Load writes nothing and
// says so; a Save goes on and says so afterwards.
TEST_F(FileMenu, TheRecordStaysUntilTheResultIsToldOrStopsALoadItCannotBeWritten)
{
    saveFile([](emu::AdapterState& s) { s.delayTime = 42; });
    const QString record = path("brisel-setting/interrupted-demo.toml");
    for (bool writable : {true, false}) {
        if (!writable) {
            ASSERT_TRUE(QDir().mkpath(record));  // a folder where the record goes
        }
        for (bool load : {true, false}) {
            Rig rig;
            const emu::AdapterState before = rig.emulator.state();
            // At each message: the delay time the record holds from before,
            // 0 for a record without it, -1 for no record.
            QList<int> held;
            rig.host.onMessage = [&] {
                if (!QFileInfo(record).isFile()) held << -1;
                else if (const auto basic = settings::loadSettingsFile(record.toStdString()).values.basic)
                    held << basic->delayTime.value_or(0);
                else held << 0;
            };
            Windows w = rig.start();
            rig.emulator.injectFault({emu::FaultKind::Stall, 0x02, 1});
            if (load) {
                loadFile(rig, true);
            } else {
                dlg::trigger(*w.mainWindow, QStringLiteral("BasicInfoSetting1"));
                QLineEdit& delay = dlg::edit(*w.basicDialog, QStringLiteral("DelayTime"));
                delay.selectAll();
                dlg::type(delay, QStringLiteral("420"));
                dlg::trigger(*w.basicDialog, QStringLiteral("Save1"));
            }
            EXPECT_FALSE(QFileInfo(record).isFile());
            if (writable) {
                EXPECT_EQ(held, QList<int>{30}) << rig.host.messages.join('|').toStdString();
                EXPECT_TRUE(rig.host.messages.back().contains(QStringLiteral("Delay Time: sent 420")));
            } else if (load) {
                EXPECT_EQ(rig.emulator.state(), before);
                EXPECT_EQ(rig.host.messages.size(), 1);
                EXPECT_TRUE(rig.host.messages.back().startsWith(
                    QStringLiteral("No record of the write can be kept, so nothing was written: ")));
            } else {
                EXPECT_EQ(rig.host.messages.size(), 2);
                EXPECT_TRUE(rig.host.messages.back().startsWith(
                    QStringLiteral("The Save went ahead, but no record of it could be kept: ")));
                EXPECT_TRUE(rig.host.messages.back().endsWith(
                    QStringLiteral("\n\nThe record of the earlier write was left as it is.")));
            }
        }
    }
}

// A signal (a logout) in a child with the desktop host, in a process group
// of its own, while a box is open or during a Load's write: the group under
// way is finished, the box is closed as its Cancel or No closes it (an
// answer given after the signal counts as No), no new box is shown (what it
// would say goes to standard error), and the event loop ends with 0. The
// record stays when a group of the write was not written.
TEST_F(FileMenu, ASignalEndsTheProgramWhateverBoxIsOpen)
{
    saveFile(changeTwoGroups);
    // What is open when the signal comes ("write": as basic's second write goes out), and the writes sent.
    for (const auto& [name, sent] : std::vector<std::pair<std::string, int>>{
             {"chooser", 0}, {"question", 0}, {"yes after", 0}, {"message", 0}, {"dialog", 0}, {"write", 16}}) {
        const std::string& at = name;  // a plain reference: the lambdas below take it
        SCOPED_TRACE(at);
        const int status = ctltest::inChild([&] {
            dup2(open(path("err").toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            emu::Emulator emulator;
            if (at == "message") changeTwoGroups(emulator.state());  // it holds the file's settings already
            VendorLink link{emulator};
            QtHost host;
            const Windows w = createWindows(Context{link, host, nullptr, nullptr, endOnSignals(*qApp)});
            int writes = 0;
            emulator.setListener([&](const emu::LogEntry& e) {
                if (isWrite(e) && ++writes == 2 && at == "write") kill(getpid(), SIGTERM);
            });
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                QWidget* top = QApplication::activeModalWidget();
                auto* box = qobject_cast<QMessageBox*>(top);
                auto* chooser = qobject_cast<QFileDialog*>(top);
                const std::string open = top == nullptr                         ? ""
                                         : chooser                              ? "chooser"
                                         : box == nullptr                       ? "dialog"
                                         : box->icon() == QMessageBox::Question ? "question"
                                                                                : "message";
                if (open.empty() || endingOnSignal()) return;
                if (open == at || (open == "question" && at == "yes after")) kill(getpid(), SIGTERM);
                if (chooser != nullptr && !endingOnSignal()) {
                    chooser->selectFile(path("a.toml"));
                    static_cast<QDialog*>(chooser)->accept();
                }
                if (open == "question" && at != "question") box->button(QMessageBox::Yes)->click();
            });
            poll.start(10);
            const QString item = at == "dialog" ? QStringLiteral("BasicInfoSetting1") : QStringLiteral("LoadFromFile1");
            QTimer::singleShot(0, [&] { dlg::trigger(*w.mainWindow, item); });
            QTimer::singleShot(20000, [] { QCoreApplication::exit(1); });  // only if the signal was lost
            return QCoreApplication::exec() == 0 ? writes : 255;
        });
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), sent);  // 255: the child did not end
        // Only a Load's result is told, on standard error.
        const QByteArray err = contents(path("err"));
        EXPECT_EQ(err.contains("brisel-setting:"), sent != 0) << err.toStdString();
        EXPECT_EQ(err.contains("brisel-setting: The program was asked to end, so the file was loaded only in part. "
                               "Written completely: Basic Infomation Setting. Not written: Repeater Information "
                               "Setting; load the file again.\n"),
                  sent != 0);
        EXPECT_EQ(QFile::remove(path("brisel-setting/interrupted-demo.toml")), sent != 0);
    }
}

}  // namespace

namespace {

// The texts of a menu's items as the user sees them, separators as "-".
QStringList itemTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text() + (action->isEnabled() ? "" : " [off]"));
    return texts;
}

}  // namespace

// The File menu offers the automatic backups, newest first by the time and
// number in their names, and opens the file chooser in their folder for the
// rest; choosing one loads it as any file: checked, compared and asked.
TEST_F(FileMenu, OffersTheAutomaticBackupsNewestFirst)
{
    Rig rig;
    Windows w = rig.start();
    QMenu& menu = dlg::child<QMenu>(*w.mainWindow, QStringLiteral("AutomaticBackups1"));
    emit menu.aboutToShow();
    EXPECT_EQ(itemTexts(menu), (QStringList{"No automatic backup yet [off]", "-", "&All automatic backups..."}));

    const QString folder = path("brisel-setting/backups");
    ASSERT_TRUE(QDir().mkpath(folder));
    const std::pair<const char*, int> files[] = {
        {"2026-12-07_153000.toml", 300}, {"2026-12-07_153000_2.toml", 310}, {"2026-12-07_153000_10.toml", 320},
        {"2026-11-30_235959.toml", 330}, {"2026-12-08_080000.toml", 340},   {"notes.toml", 350},
        {"2026-12-08_0800.toml", 360},
    };
    for (const auto& [name, delay] : files) {
        QFile file(folder + '/' + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("format = 1\n[basic]\ndelay_time_ms = ") + QByteArray::number(delay) + "\n");
    }
    emit menu.aboutToShow();
    EXPECT_EQ(itemTexts(menu),
              (QStringList{"2026-12-08  08:00:00", "2026-12-07  15:30:00 (10)", "2026-12-07  15:30:00 (2)",
                           "2026-12-07  15:30:00", "2026-11-30  23:59:59", "-", "&All automatic backups..."}));

    rig.emulator.clearLog();
    menu.actions()[1]->trigger();  // 2026-12-07 15:30:00 (10): 320 ms
    ASSERT_EQ(rig.host.asked.size(), 1);
    EXPECT_TRUE(rig.host.asked[0].contains(QStringLiteral("Delay Time: 300 -> 320")))
        << rig.host.asked[0].toStdString();
    EXPECT_EQ(rig.emulator.state().delayTime, 32);

    // The loading made a backup of its own, now the newest.
    emit menu.aboutToShow();
    EXPECT_EQ(menu.actions().size(), 8);

    rig.host.fileToChoose = folder + QStringLiteral("/2026-11-30_235959.toml");
    menu.actions().last()->trigger();
    EXPECT_EQ(rig.host.chooserFolders.last(), folder);
    EXPECT_EQ(rig.emulator.state().delayTime, 33);
}
