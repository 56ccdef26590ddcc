#include "dialogs/repeaterinfo.h"

TForm11::TForm11(Context context, QWidget* parent) : QDialog(parent), ctx_(context)
{
    setWindowTitle(QStringLiteral("Repeater Information Setting"));
}

void TForm11::loadSettings() {}
