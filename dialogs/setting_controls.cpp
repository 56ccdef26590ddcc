#include "dialogs/setting_controls.h"

#include "dialogs/not_read.h"
#include "settings_file/settings_file.h"
#include "ui_basicinfo.h"
#include "ui_repeaterinfo.h"
#include "ui_unit12.h"
#include "ui_unit15.h"
#include "ui_unit17.h"

#include <QDialog>
#include <QGroupBox>
#include <QVariant>
#include <QWidget>

namespace {

template <typename Form>
std::unique_ptr<QWidget> built()
{
    auto dialog = std::make_unique<QDialog>();
    Form form;
    form.setupUi(dialog.get());
    return dialog;
}

}  // namespace

const QWidget* settingControl(const QWidget* dialog, std::string_view key)
{
    if (dialog == nullptr) return nullptr;
    const QString wanted = QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    for (const QWidget* control : dialog->findChildren<QWidget*>())
        if (control->property(SettingKeyProperty).toString() == wanted) return control;
    return nullptr;
}

std::unique_ptr<QWidget> formOf(settings::Group group)
{
    switch (group) {
    case settings::Group::Basic: return built<Ui::TAutoDetect>();
    case settings::Group::Repeater: return built<Ui::TForm11>();
    case settings::Group::SlowData: return built<Ui::TForm15>();
    case settings::Group::Beacon: return built<Ui::TForm17>();
    case settings::Group::SerialPort: return built<Ui::TForm12>();
    }
    return nullptr;
}

QString valueLabel(const QWidget* dialog, std::string_view key)
{
    const QWidget* control = settingControl(dialog, key);
    if (control == nullptr) return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
    if (const auto* box = qobject_cast<const QGroupBox*>(control)) return box->title();
    return notread::nameOf(*control);
}

QString keyLabel(std::string_view key)
{
    const auto group = settings::groupOfKey(key);
    return valueLabel(group ? formOf(*group).get() : nullptr, key);
}
