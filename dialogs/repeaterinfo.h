#pragma once

#include "dialogs/host.h"
#include "device/vendor_link.h"

#include <QDialog>

class TForm13;

class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(Context context, QWidget* parent = nullptr);
    void loadSettings();
    void setLegend(TForm13* legend) { legend_ = legend; }
private:
    Context ctx_;
    TForm13* legend_ = nullptr;
};
