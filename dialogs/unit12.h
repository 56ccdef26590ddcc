#pragma once

#include "dialogs/host.h"
#include "device/vendor_link.h"

#include <QDialog>

class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(Context context, QWidget* parent = nullptr);

private:
    Context ctx_;
};
