#include "dialogs/not_taken.h"

#include "device/shown_text.h"
#include "dialogs/display_formats.h"
#include "dialogs/not_read.h"
#include "dialogs/setting_controls.h"
#include "dialogs/unit12.h"

#include <QCoreApplication>
#include <QWidget>

QString shownValue(const std::string& key, const settings::TypedValue& value, const QWidget* dialog)
{
    using Kind = settings::TypedValue::Kind;
    switch (value.kind) {
    case Kind::NotRead: return QCoreApplication::translate("NotTaken", "(not read)");
    case Kind::Switch:
        // The words the box shows and takes, which are the same in every
        // language; in a message they are not broken apart.
        if (key == "basic.half_duplex")
            return value.number != 0 ? QStringLiteral("HALF\u00A0DUPLEX") : QStringLiteral("FULL\u00A0DUPLEX");
        return value.number != 0 ? QStringLiteral("ON") : QStringLiteral("OFF");
    case Kind::Number: return QString::number(value.number);
    case Kind::Byte:
        return QString::fromStdString(display::formatHex2(static_cast<unsigned>(value.number) & 0xFFU)).toUpper();
    case Kind::Mode:
        // The mode by its button's label; a code without a button by its
        // number.
        if (const auto* form = qobject_cast<const TForm12*>(dialog)) {
            if (QString label = form->modeLabel(static_cast<std::uint8_t>(value.number)); !label.isEmpty())
                return label;
        }
        return QString::number(value.number);
    case Kind::CallSign: {
        // In a message a call sign is one word: the adapter's padding goes,
        // and a blank inside it does not break the line.
        QString call = QString::fromStdString(shown::fromUtf8(value.text));
        while (call.endsWith(u' ')) call.chop(1);
        return call.replace(u' ', QChar(0x00A0));
    }
    case Kind::Text: break;
    }
    return QString::fromStdString(shown::fromUtf8(value.text));
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

void reportNotTaken(const std::vector<settings::ValueNotTaken>& values, const QWidget* dialog, notread::Report& report)
{
    using Why = settings::ValueNotTaken::Why;
    for (const settings::ValueNotTaken& value : values) {
        const QString label = valueLabel(dialog, value.key);
        const QString sent = shownValue(value.key, value.shownSent, dialog);
        switch (value.why) {
        case Why::Differs:
            report.notTaken(QCoreApplication::translate("NotTaken", "%1: sent %2, the adapter holds %3")
                                .arg(label, sent, shownValue(value.key, value.shownHolds, dialog)));
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
