#include "dialogs/unit13.h"

#include "ui_unit13.h"

TForm13::TForm13(Context context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)), ui_(std::make_unique<Ui::TForm13>())
{
    ui_->setupUi(this);
}

TForm13::~TForm13() = default;
