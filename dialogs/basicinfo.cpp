#include "dialogs/basicinfo.h"

TAutoDetect::TAutoDetect(Context context, QWidget* parent) : QDialog(parent), ctx_(context)
{
    setWindowTitle(QStringLiteral("Basic Infomation Setting"));
}

void TAutoDetect::LoadBasicSettings(LoadForm) {}
