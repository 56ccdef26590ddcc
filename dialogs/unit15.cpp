#include "dialogs/unit15.h"

TForm15::TForm15(Context context, QWidget* parent) : QDialog(parent), ctx_(context)
{
    setWindowTitle(QStringLiteral("Slow Data (Stand alone Repeater)"));
}

void TForm15::loadSettings(ZeroForm) {}
