#include "dialogs/upper_case.h"

#include <QLineEdit>

#include <algorithm>

void forceUpperCase(QLineEdit& edit)
{
    QLineEdit* box = &edit;
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text) return;
        // setText() moves the cursor to the end; put it back where the user
        // was typing. The replacement emits textChanged once more, with a
        // text that is already upper case.
        const int cursor = box->cursorPosition();
        box->setText(upper);
        box->setCursorPosition(std::min(cursor, static_cast<int>(upper.size())));
    });
}
