#include "dialogs/not_taken.h"

#include "device/encodings.h"
#include "dialogs/not_read.h"
#include "settings/value_names.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QWidget>

QString shownValue(const std::string& key, const std::string& value)
{
    if (value == "true" || value == "false") {
        const bool on = value == "true";
        if (key == "basic.half_duplex") return on ? QStringLiteral("Half Duplex") : QStringLiteral("Full Duplex");
        return on ? QStringLiteral("ON") : QStringLiteral("OFF");
    }
    if (value == "(not read)") return QCoreApplication::translate("NotTaken", "(not read)");
    // A byte as its box shows it: two hex digits.
    if (value.size() == 4 && value.starts_with("0x")) {
        if (const auto byte = enc::codeByte(value.substr(2))) return QString::fromStdString(enc::formatHex2(*byte));
    }
    // A text without escapes as the box shows it, without the file's quotes.
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"' && value.find('\\') == std::string::npos)
        return QString::fromStdString(value.substr(1, value.size() - 2));
    return QString::fromStdString(value);
}

QString groupTitle(settings::Group group)
{
    // Each dialog's title as its form gives it, in the form's context.
    switch (group) {
    case settings::Group::Basic: return QCoreApplication::translate("TAutoDetect", "Basic Infomation Setting");
    case settings::Group::Repeater: return QCoreApplication::translate("TForm11", "Repeater Information Setting");
    case settings::Group::SlowData: return QCoreApplication::translate("TForm15", "Slow Data (Stand alone Repeater)");
    case settings::Group::Beacon: return QCoreApplication::translate("TForm17", "Beacon Setting");
    case settings::Group::SerialPort: return QCoreApplication::translate("TForm12", "RS232C Information Setting");
    }
    return {};
}

QString valueLabel(const QWidget* dialog, const std::string& key)
{
    const settings::ValueName* name = settings::valueNamed(key);
    const QWidget* control = dialog != nullptr && name != nullptr
                                 ? dialog->findChild<QWidget*>(QString::fromLatin1(name->control))
                                 : nullptr;
    if (control == nullptr) return QString::fromStdString(key);
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
    return notread::nameOf(*control);
}

void reportNotTaken(const std::vector<settings::ValueNotTaken>& values, const QWidget* dialog, notread::Report& report)
{
    using Why = settings::ValueNotTaken::Why;
    for (const settings::ValueNotTaken& value : values) {
        const QString label = valueLabel(dialog, value.key);
        const QString sent = shownValue(value.key, value.sent);
        switch (value.why) {
        case Why::Differs:
            report.notTaken(QCoreApplication::translate("NotTaken", "%1: sent %2, the adapter holds %3")
                                .arg(label, sent, shownValue(value.key, value.holds)));
            break;
        case Why::NotReadBack: report.notReadBack(label); break;
        case Why::Refused:
            report.notTaken(
                QCoreApplication::translate("NotTaken", "%1: sent %2, the adapter refused it").arg(label, sent));
            break;
        case Why::NotSent: report.notTaken(QCoreApplication::translate("NotTaken", "%1: not sent").arg(label)); break;
        }
    }
}

void reportSave(settings::Group group, const settings::Snapshot& sent, const settings::GroupSave& save,
                const settings::Snapshot& readBack, const Context& context, const QWidget& dialog,
                notread::Report& report)
{
    const settings::Features* features = context.startUp != nullptr ? &context.startUp->features : nullptr;
    reportNotTaken(settings::judgeSave(group, sent, save, readBack, features), &dialog, report);
}
