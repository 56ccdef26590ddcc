#pragma once

#include "dialogs/host.h"
#include "device/vendor_link.h"

#include <QDialog>

class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(Context context, QWidget* parent = nullptr);
    void loadSettings(ZeroForm rewindForm);
private:
    Context ctx_;
};
