#include "dialogs/unit12.h"

TForm12::TForm12(Context context, QWidget* parent) : QDialog(parent), ctx_(context)
{
    setWindowTitle(QStringLiteral("RS232C Information Setting"));
}
