// No English reaches a translated window. A pseudo-translation turns every
// letter of every text the program translates into an accented one; the
// messages and questions of the File menu, a dialog's Save, a loss of the
// adapter and the Adapter menu's items must then hold no plain letters but
// the data put into them: file names, call signs, and values as the boxes
// show them (ON, OFF, hex digits).

#include "app/adapter_menu.h"
#include "app/eeprom_set.h"
#include "dialogs/basicinfo.h"
#include "emulator/lacking.h"
#include "tests/support/dialog_helpers.h"

#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>

namespace {

using emu::Feature;

class PseudoTranslation final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        static const QString upper = QStringLiteral("ÀḂĆḊÈḞĜĤÌĴĶĹṀŃÒṔǪŔŚŤÙṾẂẊÝŹ");
        static const QString lower = QStringLiteral("àḃćḋèḟĝĥìĵķĺṁńòṗǫŕśťùṿẃẋýź");
        QString text = QString::fromUtf8(source);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (i > 0 && text[i - 1] == QLatin1Char('%')) continue;  // %L1 stays a placeholder
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) text[i] = upper[c.unicode() - 'A'];
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) text[i] = lower[c.unicode() - 'a'];
        }
        return text;
    }
};

// The plain words left in `text` once the data in it are taken out.
QStringList plainWords(QString text, const QStringList& data)
{
    for (const QString& d : data) text.remove(d);
    QStringList words;
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (const auto& m : word.globalMatch(text)) {
        const QString w = m.captured();
        const bool hex = w.size() <= 2 && QRegularExpression(QStringLiteral("^[0-9a-fA-F]+$")).match(w).hasMatch();
        if (w != QLatin1String("ON") && w != QLatin1String("OFF") && !hex) words << w;
    }
    return words;
}

struct Pseudo : testing::Test {
    PseudoTranslation marks;
    QTemporaryDir folder;
    void SetUp() override
    {
        qputenv("XDG_STATE_HOME", folder.path().toUtf8());
        QCoreApplication::installTranslator(&marks);
    }
    void TearDown() override { QCoreApplication::removeTranslator(&marks); }
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    // Saves a.toml from an adapter prepared by `prepare`.
    template <typename Prepare>
    void saveFile(Prepare prepare)
    {
        Rig source;
        prepare(source.emulator.state());
        Windows w = source.start();
        source.host.fileToChoose = path("a.toml");
        dlg::trigger(*w.mainWindow, QStringLiteral("SaveToFile1"));
        ASSERT_TRUE(QFile::exists(path("a.toml")));
    }
    // Everything `host` showed and asked holds no plain word.
    void expectNoPlainWords(const RecordingHost& host)
    {
        const QStringList data = {path("a.toml"), path("brisel-setting/backups"), QStringLiteral("N0CALL")};
        for (const QString& text : host.messages + host.asked)
            EXPECT_EQ(plainWords(text, data).join(' ').toStdString(), "") << text.toStdString();
    }
};

TEST_F(Pseudo, FileMenuLoadAsksAndTellsInTranslatedWords)
{
    saveFile([](emu::AdapterState& s) {
        s.delayTime = 42;
        s.resyncErrorBits = 30;  // beyond the dialog's range
        s.optionFlags = 0x00;    // COS check off, with a squelch level of 0
        s.squelch = {0x00, 0x00};
    });
    struct Case {
        const char* name;
        std::function<void(ConnectedRig&)> prepare;
        bool problems;  // else the question is asked
    };
    const Case cases[] = {
        {"problems", [](ConnectedRig&) {}, true},
        {"question, then what was not taken",
         [](ConnectedRig& rig) {
             rig.emulator.state().resyncErrorBits = 30;
             rig.emulator.state().optionFlags = 0x00;
             rig.emulator.state().squelch = {0x00, 0x00};
             rig.emulator.injectFault({emu::FaultKind::Stall, 0x02, 1});
         },
         false},
        {"lost while writing",
         [](ConnectedRig& rig) {
             rig.emulator.state().resyncErrorBits = 30;
             rig.emulator.state().optionFlags = 0x00;
             rig.emulator.state().squelch = {0x00, 0x00};
             rig.host.whilePausing = [&rig] {
                 rig.emulator.clearFaults();
                 rig.emulator.unplugFrom(0);
             };
         },
         false},
        {"lacking",
         [](ConnectedRig& rig) {
             emu::leaveOut(rig.emulator, {Feature::Squelch, Feature::SlowData});
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConnectedRig rig;
        c.prepare(rig);
        Windows w = rig.start();
        rig.host.fileToChoose = path("a.toml");
        dlg::trigger(*w.mainWindow, QStringLiteral("LoadFromFile1"));
        EXPECT_EQ(rig.host.asked.isEmpty(), c.problems);
        EXPECT_FALSE(rig.host.messages.isEmpty());
        expectNoPlainWords(rig.host);
    }
}

TEST_F(Pseudo, ADialogsSaveTellsWhatTheAdapterDidNotTakeInTranslatedWords)
{
    Rig rig;
    Windows w = rig.start();
    rig.emulator.injectFault({emu::FaultKind::Stall, 0x02, 1});
    rig.host.whileShown = [&](QDialog&) {
        QLineEdit& delay = dlg::edit(*w.basicDialog, "DelayTime");
        delay.selectAll();
        delay.insert("500");
        w.basicDialog->Save1Click();
    };
    w.mainWindow->BasicInfoSetting1Click();
    ASSERT_FALSE(rig.host.messages.isEmpty());
    expectNoPlainWords(rig.host);
}

TEST_F(Pseudo, TheAdapterMenuNamesEachAdapterInTranslatedWords)
{
    emu::Emulator a, b;
    std::vector<emu::BusSlot> sockets{{&a, "1-1.2", {1, 7}}, {&b, "1-1.3", {1, 8}}};
    sockets[1].heldBy = AdapterHolder{};  // another program, unnamed
    AdapterConnection connection{nullptr, emu::emulatedBusOpener(sockets)};
    VendorLink link{connection};
    RecordingHost host{a};
    connection.reconnectIfLost();
    Windows windows = createWindows(Context{link, host, &connection});
    new AdapterMenu(windows, emu::emulatedBusWalk(sockets));
    auto& menu = dlg::child<QMenu>(*windows.mainWindow, "Adapter1");
    menu.aboutToShow();
    EXPECT_EQ(plainWords(menu.title(), {}).join(' ').toStdString(), "") << menu.title().toStdString();
    ASSERT_EQ(menu.actions().size(), 2);
    for (QAction* item : menu.actions())
        EXPECT_EQ(plainWords(item->text(), {}).join(' ').toStdString(), "") << item->text().toStdString();
}

}  // namespace
