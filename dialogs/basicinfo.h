#pragma once

#include "dialogs/host.h"
#include "device/vendor_link.h"

#include <QDialog>

class TAutoDetect : public QDialog {
    Q_OBJECT
public:
    explicit TAutoDetect(Context context, QWidget* parent = nullptr);
    enum class LoadForm { Opening, Reload, Cancel, ReadBack };
    void LoadBasicSettings(LoadForm form);
private:
    Context ctx_;
};
