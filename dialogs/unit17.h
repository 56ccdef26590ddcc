#pragma once

#include "dialogs/host.h"
#include "device/vendor_link.h"

#include <QDialog>

class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(Context context, QWidget* parent = nullptr);
    void loadSettings(ZeroForm rewindForm);
private:
    Context ctx_;
};
