#include "dialogs/not_read.h"

#include "dialogs/host.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace notread {

namespace {

// The hint an empty box shows when its value was not read: the full words
// where they fit inside the box's frame and its own margin of 2 pixels on
// each side, else the shorter words of a narrow box.
QString fullHint()
{
    return QCoreApplication::translate("notread", "not read");
}

QString narrowHint()
{
    return QCoreApplication::translate("notread", "not read", "the hint of a box too narrow for the full words");
}

QString notReadHint(const QLineEdit& edit)
{
    const QMargins margins = edit.textMargins();
    const int room = edit.width() - 2 * edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit) -
                     margins.left() - margins.right() - 4;
    const QString full = fullHint();
    return edit.fontMetrics().horizontalAdvance(full) <= room ? full : narrowHint();
}

// Chooses the hint of a box not read again when the box's size or font
// changes; a box takes its width from the layout only once shown.
class HintFitter final : public QObject {
public:
    explicit HintFitter(QLineEdit& edit) : QObject(&edit), edit_(edit)
    {
        setObjectName(QStringLiteral("notReadHintFitter"));
        edit.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &edit_ && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange) &&
            edit_.property(Property).toBool())
            edit_.setPlaceholderText(notReadHint(edit_));
        return false;
    }

private:
    QLineEdit& edit_;
};

void setKnown(QWidget& control)
{
    control.setProperty(Property, false);
    if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        const QString hint = edit->placeholderText();
        if (hint == fullHint() || hint == narrowHint()) edit->setPlaceholderText(QString());
    } else if (auto* box = qobject_cast<QCheckBox*>(&control)) {
        if (box->checkState() == Qt::PartiallyChecked) box->setCheckState(Qt::Unchecked);
        box->setTristate(false);
    }
}

}  // namespace

void followEntries(QWidget& window)
{
    for (QLineEdit* edit : window.findChildren<QLineEdit*>())
        QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] { setKnown(*edit); });
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isCheckable()) continue;
        // A click on an undecided box has already moved it to checked.
        QObject::connect(button, &QAbstractButton::clicked, button, [button] { setKnown(*button); });
    }
}

void show(QLineEdit& edit, const QString& text)
{
    setKnown(edit);
    edit.setText(text);
}

void show(QAbstractButton& button, bool checked)
{
    setKnown(button);
    button.setChecked(checked);
}

void mark(QLineEdit& edit)
{
    edit.setText(QString());
    edit.setProperty(Property, true);
    edit.setPlaceholderText(notReadHint(edit));
    if (edit.findChild<QObject*>(QStringLiteral("notReadHintFitter"), Qt::FindDirectChildrenOnly) == nullptr)
        new HintFitter(edit);
}

void mark(QAbstractButton& button)
{
    button.setProperty(Property, true);
    if (auto* box = qobject_cast<QCheckBox*>(&button)) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    // A radio button: no button of its group stays checked.
    uncheck(button);
}

void uncheck(QAbstractButton& button)
{
    const bool exclusive = button.autoExclusive();
    button.setAutoExclusive(false);
    button.setChecked(false);
    button.setAutoExclusive(exclusive);
}

bool isKnown(const QWidget& control)
{
    return !control.property(Property).toBool();
}

namespace {
template <typename Control>
void readFailed(Control& control, bool readBack, Report& report)
{
    if (readBack && isKnown(control)) return;
    mark(control);
    if (control.isEnabled()) report.notRead(control);
}
}  // namespace

void failed(QLineEdit& edit, bool readBack, Report& report)
{
    readFailed(edit, readBack, report);
}

void failed(QAbstractButton& button, bool readBack, Report& report)
{
    readFailed(button, readBack, report);
}

QString listOf(const QStringList& names)
{
    //: Between the items of a list inside a sentence.
    return names.join(QCoreApplication::translate("notread", ", "));
}

QString nameOf(const QWidget& control)
{
    // What a screen reader says: the control's accessible name, else its
    // caption, else the caption of the label it is the buddy of.
    if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(&control))) {
        QString name = a->text(QAccessible::Name).trimmed();
        if (!name.isEmpty()) return name;
    }
    return control.objectName();
}

bool Report::mayWrite(const QWidget& control)
{
    if (isKnown(control)) return true;
    leftOut(control);
    return false;
}

QString Report::text() const
{
    QStringList parts;
    if (!notTaken_.isEmpty())
        parts << QCoreApplication::translate("notread", "The adapter did not take these values:\n  %1")
                     .arg(notTaken_.join(QStringLiteral("\n  ")));
    if (!notRead_.isEmpty())
        parts << QCoreApplication::translate("notread",
                                             "These values could not be read from the adapter: %1.\n"
                                             "They are shown empty and are not saved until you enter them.")
                     .arg(listOf(notRead_));
    if (!leftOut_.isEmpty())
        parts << QCoreApplication::translate("notread",
                                             "Not saved, because no value was read from the adapter or "
                                             "entered for them: %1.")
                     .arg(listOf(leftOut_));
    if (!notReadBack_.isEmpty())
        parts << QCoreApplication::translate("notread",
                                             "These values could not be read back after saving: %1.\n"
                                             "They still show what was sent.")
                     .arg(listOf(notReadBack_));
    return parts.join(QStringLiteral("\n\n"));
}

void Report::tell(Host& host) const
{
    const QString message = text();
    if (!message.isEmpty()) host.showMessage(message);
}

}  // namespace notread
