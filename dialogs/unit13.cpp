#include "dialogs/unit13.h"

TForm13::TForm13(Context context, QWidget* parent) : QDialog(parent), ctx_(context)
{
    setWindowTitle(QStringLiteral("Flag DetaiL Information"));
}
