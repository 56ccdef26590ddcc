#include "dialogs/upper_case.h"

#include <QLineEdit>

#include <algorithm>

QString upperCaseKeepingLength(const QString& text)
{
    // One character for one character: a whole-string upper-casing may
    // lengthen the text (German sharp s becomes "SS"), and a letter whose
    // capital Latin-1 lacks (y with diaeresis, micro sign) would reach the
    // adapter as '?'; such letters stay as typed.
    QString upper = text;
    for (QChar& c : upper) {
        const QChar capital = c.toUpper();
        if (c.unicode() <= 0xFF && capital.unicode() > 0xFF) continue;
        c = capital;
    }
    return upper;
}

void forceUpperCase(QLineEdit& edit)
{
    QLineEdit* box = &edit;
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
        const QString upper = upperCaseKeepingLength(text);
        if (upper == text) return;
        // setText() moves the cursor to the end; put it back where the user
        // was typing. The replacement emits textChanged once more, with a
        // text that is already upper case.
        // It also clears the mark of an edit by the user, which Save asks.
        const int cursor = box->cursorPosition();
        const bool edited = box->isModified();
        box->setText(upper);
        box->setModified(edited);
        box->setCursorPosition(std::min(cursor, static_cast<int>(upper.size())));
    });
}
