// No English reaches a translated window. A pseudo-translation turns every
// letter of every text the program translates into an accented one; the
// messages, questions and window titles of the File menu, every flow under
// every fault the adapter can show, the adapter refused at start-up or lost,
// and the Adapter menu must then hold no plain letters but the data put into
// them: file names, call signs, the C library's error texts, and values as
// the boxes show them (ON, OFF, hex digits). Each text is shown once in a
// box as the program shows it, where nothing may be cut, not its title. The
// same flows run again in Japanese, where no line the box wraps a text into
// may begin with a mark that closes or follows (":", "、", "。", "）", a
// small kana), nor hold no more than a few kana of a polite ending ("す",
// "です", "せん。", "ください").

#include "app/adapter_menu.h"
#include "app/eeprom_set.h"
#include "app/qt_host.h"
#include "app/record_at_start.h"
#include "app/translation.h"
#include "dialogs/adapter_action.h"
#include "dialogs/basicinfo.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "emulator/lacking.h"
#include "tests/support/dialog_helpers.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBoundaryFinder>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <cerrno>
#include <cstring>

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
    text.remove(QRegularExpression(QStringLiteral("0x[0-9A-F]{2}")));  // a byte, as the messages write one
    QStringList words;
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    for (const auto& m : word.globalMatch(text)) {
        const QString w = m.captured();
        const bool hex = w.size() <= 2 && QRegularExpression(QStringLiteral("^[0-9a-fA-F]+$")).match(w).hasMatch();
        if (w != QLatin1String("ON") && w != QLatin1String("OFF") && !hex) words << w;
    }
    return words;
}

// A Japanese line that begins with a mark that closes or follows what
// stands before it, or that holds no more than a few hiragana, the end of
// a polite ending.
bool badJapaneseLine(const QString& line)
{
    static const QRegularExpression bad(
        QStringLiteral("^\\s*([:;,.!?)\\]}、。，．：；！？）」』】〕ー・…ぁぃぅぇぉっゃゅょァィゥェォッャュョ]|"
                       "[\\x{3041}-\\x{3096}]{1,4}。?\\s*$)"));
    return bad.match(line).hasMatch();
}

// The ends of lines that some width of the box would wrap `label`'s text
// into badly: each place a line may begin, but for those of the text's
// own line breaks.
QStringList badJapaneseBreaks(const QLabel& label)
{
    QStringList bad;
    for (const QString& paragraph : label.text().split(u'\n')) {
        QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, paragraph);
        for (qsizetype at = breaks.toNextBoundary(); at > 0 && at < paragraph.size(); at = breaks.toNextBoundary())
            if (badJapaneseLine(paragraph.mid(at))) bad << paragraph.left(at) + u'|' + paragraph.mid(at);
    }
    return bad;
}

// Shows `text` as the program does, as a message or a question, and expects
// every label of the box whole and the box at least as wide as its title
// with the 150 pixels a title bar takes besides it; in Japanese, no line
// wrapped as badJapaneseLine says.
void expectWholeInBox(const QString& text, bool question, bool japanese)
{
    static QSet<QString> seen;  // each text once: the fault matrix repeats them
    if (seen.contains(text)) return;
    seen.insert(text);
    QTimer::singleShot(0, [&text, question, japanese] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no box for " << text.toStdString();
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
            return;
        }
        EXPECT_EQ(box->textFormat(), Qt::PlainText);  // blanks kept, nothing taken as markup
        EXPECT_TRUE(question || box->standardButtons() == QMessageBox::Ok);
        QFont title = QApplication::font("QMdiSubWindowTitleBar");
        title.setBold(true);
        EXPECT_GE(box->width(), QFontMetrics(title).horizontalAdvance(box->windowTitle()) + 150);
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (!label->isVisible()) continue;
            EXPECT_GE(label->height(),
                      label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height())
                << text.toStdString();
            if (!label->wordWrap()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << text.toStdString();
            }
            if (japanese && label->wordWrap()) {
                EXPECT_EQ(badJapaneseBreaks(*label).join(u'\n').toStdString(), "");
            }
        }
        box->done(0);
    });
    QtHost host;
    if (question) host.ask(text);
    else host.showMessage(text);
}

// The requests in `log`, pauses left out.
std::size_t requestsIn(const std::vector<emu::LogEntry>& log)
{
    return std::count_if(log.begin(), log.end(),
                         [](const emu::LogEntry& e) { return e.kind != emu::LogEntry::Kind::Pause; });
}

// The words the windows' boxes hold: data, as the adapter gave them or the
// user entered them.
QStringList boxWords(const Windows& w)
{
    QStringList words;
    for (const QWidget* dialog :
         {static_cast<const QWidget*>(w.basicDialog), static_cast<const QWidget*>(w.repeaterDialog),
          static_cast<const QWidget*>(w.slowDataDialog), static_cast<const QWidget*>(w.beaconDialog),
          static_cast<const QWidget*>(w.serialPortDialog)})
        if (dialog != nullptr)
            for (const QLineEdit* box : dialog->findChildren<QLineEdit*>())
                words << box->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return words;
}

// Each test runs under the pseudo-translation and in Japanese.
struct Pseudo : testing::TestWithParam<const char*> {
    PseudoTranslation marks;
    QTemporaryDir folder;
    bool pseudo() const { return std::strcmp(GetParam(), "pseudo") == 0; }
    void SetUp() override
    {
        qputenv("XDG_STATE_HOME", folder.path().toUtf8());
        if (pseudo()) QCoreApplication::installTranslator(&marks);
        else ASSERT_FALSE(installTranslations({QString::fromLatin1(GetParam())}).isEmpty());
    }
    void TearDown() override
    {
        QCoreApplication::removeTranslator(&marks);
        installTranslations({});
    }
    // Under the pseudo-translation, the plain words of `text` but `data`.
    void expectNoPlainWordsIn(const QString& text, const QStringList& data) const
    {
        if (pseudo()) {
            EXPECT_EQ(plainWords(text, data).join(' ').toStdString(), "") << text.toStdString();
        }
    }
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
    void expectNoPlainWords(const RecordingHost& host, QStringList data = {})
    {
        data << path("a.toml") << path("brisel-setting/backups") << QStringLiteral("N0CALL");
        for (const QString& text : host.messages + host.asked + host.shown) expectNoPlainWordsIn(text, data);
        for (const QString& text : host.messages) expectWholeInBox(text, false, !pseudo());
        for (const QString& text : host.asked) expectWholeInBox(text, true, !pseudo());
    }
};

TEST_P(Pseudo, FileMenuLoadAsksAndTellsInTranslatedWords)
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
        tellWriteRecord(*w.context);  // the record a lost write leaves, as the next start tells it
        expectNoPlainWords(rig.host);
    }
}

// The File menu when a file cannot be read, written or backed up.
TEST_P(Pseudo, FileMenuTellsFileProblemsInTranslatedWords)
{
    saveFile([](emu::AdapterState& s) { s.delayTime = 42; });
    QFile large(path("large.toml"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    large.write(QByteArray(1024 * 1024 + 1, '#'));
    large.close();
    QFile bad(path("bad.toml"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(
        "format = 1\n[basic]\nnope = 1\ndelay_time_ms = 99999\ncrc_check = 5\n"
        "[beacon]\nmessage = \"123456789012345678901234567890\"\n");
    bad.close();
    for (const auto& [name, bytes] :
         {std::pair{"not-toml.toml", "format = 1\n[basic\n"}, std::pair{"latin1.toml",
                                                                        "format = 1\n# Gr\xfc\xdf"
                                                                        "e\n"}}) {
        QFile other(path(name));
        ASSERT_TRUE(other.open(QIODevice::WriteOnly));
        other.write(bytes);
    }
    const struct {
        const char* name;
        const char* menuItem;
        QString file;
        const char* stateHome;  // XDG_STATE_HOME, where the backups go
    } cases[] = {
        {"not there", "LoadFromFile1", path("none.toml"), nullptr},
        {"too large", "LoadFromFile1", path("large.toml"), nullptr},
        {"bad lines", "LoadFromFile1", path("bad.toml"), nullptr},
        {"not TOML", "LoadFromFile1", path("not-toml.toml"), nullptr},
        {"not UTF-8", "LoadFromFile1", path("latin1.toml"), nullptr},
        {"no folder to write to", "SaveToFile1", path("none/a.toml"), nullptr},
        {"no folder for the backups", "LoadFromFile1", path("a.toml"), "relative"},
        {"backup folder not a folder", "LoadFromFile1", path("a.toml"), "/dev/null"},
    };
    const QStringList data = {path("none.toml"),
                              path("large.toml"),
                              path("bad.toml"),
                              path("not-toml.toml"),
                              path("latin1.toml"),
                              QStringLiteral("basic.nope"),
                              path("none/a.toml"),
                              QString::fromLocal8Bit(std::strerror(ENOENT)),
                              QString::fromLocal8Bit(std::strerror(ENOTDIR)),
                              QStringLiteral("/dev/null/brisel-setting/backups"),
                              QStringLiteral("/dev/null"),
                              QStringLiteral("relative"),
                              QStringLiteral("HOME"),
                              QStringLiteral("XDG_STATE_HOME")};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.stateHome) qputenv("XDG_STATE_HOME", c.stateHome);
        const QByteArray home = qgetenv("HOME");
        if (c.stateHome && c.stateHome[0] != '/') qputenv("HOME", "relative");
        ConnectedRig rig;
        Windows w = rig.start();
        rig.host.fileToChoose = c.file;
        dlg::trigger(*w.mainWindow, QString::fromLatin1(c.menuItem));
        qputenv("XDG_STATE_HOME", folder.path().toUtf8());
        qputenv("HOME", home);
        ASSERT_EQ(rig.host.messages.size(), 1);
        expectNoPlainWords(rig.host, data);
    }
}

// Every flow of the windows, under every fault at every one of its
// requests: what the windows say of it.
TEST_P(Pseudo, EveryFaultAtEveryRequestIsToldInTranslatedWords)
{
    using Act = std::function<void(Windows&)>;
    const Act basic = [](Windows& w) { w.mainWindow->BasicInfoSetting1Click(); };
    const struct {
        const char* name;
        Act before, act;  // no act: the start-up itself
    } flows[] = {
        {"start-up", nullptr, nullptr},
        {"Basic", nullptr, basic},
        {"Basic Save", basic, [](Windows& w) { w.basicDialog->Save1Click(); }},
        {"Basic Reload", basic, [](Windows& w) { w.basicDialog->Reload1Click(); }},
        {"Repeater", nullptr, [](Windows& w) { w.mainWindow->RepeaterInfoSetting1Click(); }},
        {"Repeater Save", nullptr, [](Windows& w) { w.repeaterDialog->Ssve1Click(); }},
        {"Slow Data Save", nullptr, [](Windows& w) { w.slowDataDialog->Save1Click(); }},
        {"Beacon Save", nullptr, [](Windows& w) { w.beaconDialog->Save1Click(); }},
        {"Serial Port Save", nullptr, [](Windows& w) { w.serialPortDialog->Save1Click(); }},
        {"PIC version", nullptr, [](Windows& w) { w.mainWindow->PICVersion1Click(); }},
    };
    using emu::FaultKind;
    for (const auto& flow : flows) {
        for (int index = 0;; ++index) {
            bool beyond = true;  // no run of the flow got as far as `index`
            for (FaultKind kind : {FaultKind::Stall, FaultKind::Timeout, FaultKind::ShortRead, FaultKind::Unplug}) {
                SCOPED_TRACE(std::string(flow.name) + " at request " + std::to_string(index) + ", fault " +
                             std::to_string(int(kind)));
                ConnectedRig rig;
                std::optional<Windows> w;
                QStringList data = {QStringLiteral("DV Brisel PIC V01.07")};
                if (flow.act) {
                    w.emplace(rig.start());
                    if (flow.before) flow.before(*w);
                    data << boxWords(*w);
                }
                rig.emulator.clearLog();
                rig.host.messages.clear();
                rig.host.shown.clear();
                rig.emulator.injectFaultAt(index, kind, 1);
                try {
                    if (flow.act) flow.act(*w);
                    else w.emplace(rig.start());
                } catch (const AdapterGone& gone) {
                    rig.host.showMessage(adapterText(gone.problem()));  // as start-up shows it
                }
                beyond = beyond && int(requestsIn(rig.emulator.log())) <= index;
                if (w) data << boxWords(*w);
                std::sort(data.begin(), data.end(),
                          [](const QString& a, const QString& b) { return a.size() > b.size(); });
                expectNoPlainWords(rig.host, data);
            }
            if (beyond) break;
        }
    }
}

// Every refusal of the adapter, as start-up, a menu item or the Adapter
// menu shows it, and the Adapter menu's names of the adapters.
TEST_P(Pseudo, TheAdapterRefusedOrLostIsToldInTranslatedWords)
{
    using Kind = AdapterProblem::Kind;
    const AdapterNode lost{0, {1, 7}, "/dev/bus/usb/001/007", "1-1.2"};
    const AdapterNode other{1, {1, 8}, "/dev/bus/usb/001/008", "1-1.3"};
    AdapterProblem notAtDevice{Kind::NotAtDevice}, held{Kind::InUse}, named{Kind::InUse}, unnamed{Kind::InUse},
        elsewhere{Kind::OtherAdapter}, noPort{Kind::OtherAdapter};
    notAtDevice.device = "1-1.9";
    held.holder = {42, ""};
    named.holder = {42, "brisel-ctl"};
    elsewhere.lost = lost;
    elsewhere.seen = {other};
    noPort.lost = AdapterNode{0, {1, 7}, "", ""};
    noPort.seen = {other, lost};
    const AdapterProblem problems[] = {
        {Kind::NotFound}, notAtDevice, {Kind::NoPermission}, held, named, unnamed, {Kind::Lost}, elsewhere, noPort};
    for (const AdapterProblem& problem : problems) {
        const QString text = adapterText(problem);
        expectNoPlainWordsIn(text, {QStringLiteral("brisel-ctl")});
        expectWholeInBox(text, false, !pseudo());
    }

    // The same through the program: a menu item after the adapter in use
    // went while another is there, and the Adapter menu's choice of an
    // adapter another program holds.
    emu::Emulator a, b;
    std::vector<emu::BusSlot> sockets{{&a, "1-1.2", {1, 7}}, {&b, "1-1.3", {1, 8}}};
    AdapterConnection connection{nullptr, trackingOpener(emu::emulatedBusWalk(sockets))};
    VendorLink link{connection};
    RecordingHost host{a};
    connection.reconnectIfLost();
    Windows windows = createWindows(Context{link, host, &connection});
    new AdapterMenu(windows, emu::emulatedBusWalk(sockets));
    auto& menu = dlg::child<QMenu>(*windows.mainWindow, "Adapter1");
    sockets[1].heldBy = AdapterHolder{};  // another program, unnamed
    menu.aboutToShow();
    ASSERT_EQ(menu.actions().size(), 2);
    for (const QString& text : {menu.title(), menu.actions()[0]->text(), menu.actions()[1]->text()})
        expectNoPlainWordsIn(text, {});
    sockets[1].heldBy = AdapterHolder{42, "brisel-ctl"};
    menu.actions().at(1)->trigger();
    sockets[1].heldBy.reset();
    a.unplugFrom(0);
    windows.mainWindow->PICVersion1Click();
    windows.mainWindow->PICVersion1Click();
    ASSERT_EQ(host.messages.size(), 3);
    expectNoPlainWords(host, {QStringLiteral("brisel-ctl")});
}

TEST_P(Pseudo, ADialogsSaveTellsWhatTheAdapterDidNotTakeInTranslatedWords)
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

INSTANTIATE_TEST_SUITE_P(Translations, Pseudo, testing::Values("pseudo", "ja"));

}  // namespace
