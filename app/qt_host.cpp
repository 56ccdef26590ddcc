#include "app/qt_host.h"

#include "app/end_on_signals.h"
#include "device/shown_text.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// What a window manager's title bar takes besides the title: the window's
// icon and its buttons (minimise, maximise, close), with their margins.
constexpr int TitleBarAllowance = 150;

// A Japanese paragraph's closing polite ending ("です", "ます", "ません",
// "ました", "ください") stays whole on the line of the word before it, never
// split or on a line of its own: a word joiner (U+2060, drawn as nothing)
// goes before each of its characters. The marks that close or follow a
// word ("、", "。", ":", "）") Qt's line breaking already keeps on the line
// before them.
QString withEndingsJoined(const QString& text)
{
    static const QRegularExpression ending(
        QStringLiteral("(?<=[^\\s\\x{2060}])(です|ます|ません|ました|ください)(?=。?(\\n|$))"));
    QString joined;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : ending.globalMatch(text)) {
        joined += text.mid(from, match.capturedStart() - from);
        for (const QChar c : match.captured()) {
            joined += QChar(0x2060);
            joined += c;
        }
        from = match.capturedEnd();
    }
    return joined + text.mid(from);
}

// A box is never narrower than its title as a title bar draws it (bold),
// so that the title is never cut. A text in Japanese is drawn in one font
// that has both its kana and kanji and the Latin letters of its call signs
// and file names, not line by line in whichever font has the first
// character, and its closing polite endings are kept with the word before
// them.
void fitBox(QMessageBox& box)
{
    QFont title = QApplication::font("QMdiSubWindowTitleBar");
    title.setBold(true);
    const int width = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + TitleBarAllowance;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
    const QString text = box.text();
    const bool japanese = std::any_of(text.begin(), text.end(), [](QChar c) {
        const QChar::Script script = c.script();
        return script == QChar::Script_Hiragana || script == QChar::Script_Katakana || script == QChar::Script_Han;
    });
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    if (japanese) box.setText(withEndingsJoined(text));
    if (japanese && !families.isEmpty()) {
        QFont font = box.font();
        font.setFamilies(QStringList{families.contains(QStringLiteral("Noto Sans CJK JP"))
                                         ? QStringLiteral("Noto Sans CJK JP")
                                         : families.constFirst()}
                         << font.families());
        box.setFont(font);
    }
}

// Once a signal has asked the program to end, what a box would show goes to
// standard error, each line escaped.
void toStandardError(const QString& text)
{
    std::fprintf(stderr, "brisel-setting: %s\n", shown::linesFromUtf8(text.toStdString()).c_str());
    std::fflush(stderr);
}

}  // namespace

void QtHost::showMessage(const QString& text)
{
    if (endingOnSignal()) return toStandardError(text);
    // A wait cursor may be up for the device sequence that reports this;
    // the user needs the arrow to answer the box.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::translate("QtHost", MessageTitle), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    // Texts are shown as they are: blanks kept, and a firmware text that
    // happens to look like markup is not interpreted.
    box.setTextFormat(Qt::PlainText);
    fitBox(box);
    box.exec();
    QGuiApplication::restoreOverrideCursor();
}

void QtHost::showModal(QDialog& dialog)
{
    if (endingOnSignal()) return;
    dialog.exec();
}

void QtHost::pause(int ms)
{
    if (onPause_) onPause_(ms);
    const RequestUnderWay underWay;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

QString QtHost::chooseFile(bool forSaving, const QString& caption, const QString& folder)
{
    if (endingOnSignal()) return {};
    QFileDialog dialog(QApplication::activeWindow(), caption, folder,
                       QCoreApplication::translate("QtHost", "Settings files (*.toml);;All files (*)"));
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an ending gets ".toml", as the filter offers.
    dialog.setDefaultSuffix(QStringLiteral("toml"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty() || endingOnSignal()) return {};
    return dialog.selectedFiles().constFirst();
}

bool QtHost::ask(const QString& text)
{
    if (endingOnSignal()) return false;
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("QtHost", MessageTitle), text,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    fitBox(box);
    const bool yes = box.exec() == QMessageBox::Yes;
    QGuiApplication::restoreOverrideCursor();
    return yes && !endingOnSignal();
}

bool QtHost::tellWithChoice(const QString& text, const QString& choice)
{
    if (endingOnSignal()) {
        toStandardError(text);
        return false;
    }
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    QMessageBox box(QMessageBox::Warning, QCoreApplication::translate("QtHost", MessageTitle), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    const QAbstractButton* chosen = box.addButton(choice, QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Ok);
    fitBox(box);
    box.exec();
    QGuiApplication::restoreOverrideCursor();
    return box.clickedButton() == chosen && !endingOnSignal();
}
