#include "dialogs/not_read.h"

#include "dialogs/host.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace notread {

namespace {

// The hint an empty box shows when its value was not read.
QString notReadHint()
{
    return QCoreApplication::translate("notread", "not read");
}

void setKnown(QWidget& control)
{
    control.setProperty(Property, false);
    if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        if (edit->placeholderText() == notReadHint()) edit->setPlaceholderText(QString());
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
    edit.setPlaceholderText(notReadHint());
    edit.setProperty(Property, true);
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
