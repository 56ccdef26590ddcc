#include "dialogs/unit17.h"

TForm17::TForm17(Context context, QWidget* parent) : QDialog(parent), ctx_(context)
{
    setWindowTitle(QStringLiteral("Beacon Setting"));
}

void TForm17::loadSettings(ZeroForm) {}
