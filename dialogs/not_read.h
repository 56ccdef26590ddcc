#pragma once
// Values the adapter did not answer for. A control whose read failed shows no
// value: an empty edit box, a check box in its third, undecided state, a
// radio group with no button checked. It stays so until a later read brings
// the value or the user enters one; until then Save does not write it, so the
// adapter never receives a value that nobody chose.

#include <QString>
#include <QStringList>

class Host;
class QAbstractButton;
class QLineEdit;
class QWidget;

namespace notread {

// The dynamic property that marks a control as not read.
inline constexpr const char* Property = "notRead";

// From now on the user's own entries (typing in a box, clicking a button)
// make a control of `window` known again.
void followEntries(QWidget& window);

// A value the adapter answered with.
void show(QLineEdit& edit, const QString& text);
void show(QAbstractButton& button, bool checked);

// The control's read failed.
void mark(QLineEdit& edit);
void mark(QAbstractButton& button);

// Unchecks a button, even the checked one of an exclusive radio group.
void uncheck(QAbstractButton& button);

bool isKnown(const QWidget& control);

class Report;
// A read that brought nothing. After Save (`readBack`) a control that held a
// known value keeps it, as that is what was sent (the Save's judgement names
// it when it was sent); otherwise the control is marked not read. Disabled controls (a feature the firmware lacks) are
// marked without being named in the report.
void failed(QLineEdit& edit, bool readBack, Report& report);
void failed(QAbstractButton& button, bool readBack, Report& report);

// Names in a sentence, joined as the user's language joins a list
// ("a, b" in English, "a、b" in Japanese).
QString listOf(const QStringList& names);

// The name the messages (and a screen reader) use for a control.
QString nameOf(const QWidget& control);

// What one action could not read or write, told to the user once at its end.
class Report {
public:
    void notRead(const QString& name) { add(notRead_, name); }
    void notReadBack(const QString& name) { add(notReadBack_, name); }
    void leftOut(const QString& name) { add(leftOut_, name); }
    // A value the adapter did not take, already worded with its label.
    void notTaken(const QString& line) { add(notTaken_, line); }
    void notRead(const QWidget& control) { notRead(nameOf(control)); }
    void notReadBack(const QWidget& control) { notReadBack(nameOf(control)); }
    void leftOut(const QWidget& control) { leftOut(nameOf(control)); }

    // Whether Save may write `control`'s value: only a known one. A value
    // that is not known is named as left out.
    bool mayWrite(const QWidget& control);

    // One message box, if there is anything to tell.
    void tell(Host& host) const;
    QString text() const;

private:
    static void add(QStringList& list, const QString& name)
    {
        if (!list.contains(name)) list << name;
    }
    QStringList notTaken_, notRead_, notReadBack_, leftOut_;
};

}  // namespace notread
