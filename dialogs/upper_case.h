#pragma once
// Edit boxes that hold their whole text in upper case, whether the user typed
// it or the program put it there.

class QLineEdit;
class QString;

// The text with each letter replaced by its capital, character for
// character; a letter whose capital Latin-1 lacks is kept.
QString upperCaseKeepingLength(const QString& text);

// From now on every change of the box's text is turned into upper case at
// once; the cursor stays where it was. Text the program sets with setText()
// is converted as well, so a value shown as "f0" reads "F0".
void forceUpperCase(QLineEdit& edit);
