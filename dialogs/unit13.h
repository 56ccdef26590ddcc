#pragma once
// The flag legend: what each bit of the alternative flag byte means. It only
// shows fixed texts; it talks to no device and has no handlers.
// Unit13 and TForm13 are the window's design names, kept with its controls' so that code and design read alike.

#include "device/vendor_link.h"
#include "dialogs/host.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TForm13;
}

class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(Context context, QWidget* parent = nullptr);
    ~TForm13() override;

private:
    Context ctx_;
    std::unique_ptr<Ui::TForm13> ui_;
};
