#include "dialogs/not_taken.h"

#include "dialogs/not_read.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QWidget>

#include <map>
#include <string_view>

namespace {

// The control that shows each settings key, by its object name.
const std::map<std::string_view, const char*>& controlNames()
{
    static const std::map<std::string_view, const char*> names = {
        {"basic.delay_time_ms", "DelayTime"},
        {"basic.time_out_s", "TimeOut"},
        {"basic.keep_alive_ms", "KeepAlive"},
        {"basic.resync_error_bits", "ReSyncErrorBit"},
        {"basic.last_frame_error_bits", "LastFrameErrorBits"},
        {"basic.crc_check", "CRCCheck"},
        {"basic.cos_check", "CosCheck"},
        {"basic.last_frame_send", "LastFrameSend"},
        {"basic.half_duplex", "Duplex"},
        {"basic.pre_bit_pattern", "PreBit"},
        {"basic.post_bit_pattern", "PostBit"},
        {"basic.tx_invert", "TxInvert"},
        {"basic.rx_invert", "RxInvert"},
        {"basic.auto_rx_detect", "AutoRXDetect"},
        {"basic.squelch_level", "SN_SQ"},
        {"basic.jitter_buffer_size", "JitterValue"},
        {"repeater.my_repeater_call", "MyRepeaterCall"},
        {"repeater.alt_my_call", "AltMyCall"},
        {"repeater.alt_my_call2", "AltMyCall2"},
        {"repeater.alt_your_call", "AltYourCall"},
        {"repeater.alt_rpt1_call", "AltRPT1Call"},
        {"repeater.alt_rpt2_call", "AltRPT2Call"},
        {"repeater.call_check", "CallCheckSW"},
        {"repeater.dup_check", "DupCheckSW"},
        {"repeater.dup_clear", "DupClearSW"},
        {"repeater.replace_alt_my_call", "AltMyCallSW"},
        {"repeater.replace_alt_my_call2", "AltMyCall2SW"},
        {"repeater.replace_alt_your_call", "AltYourCallSW"},
        {"repeater.replace_alt_rpt1_call", "AltRPT1CallSW"},
        {"repeater.replace_alt_rpt2_call", "AltRPT2CallSW"},
        {"repeater.replace_flag_byte", "AltFlagSW"},
        {"repeater.flag_byte", "StaticText7"},
        {"slow_data.insert_before", "SlowDataInsB"},
        {"slow_data.insert_after", "SlowDataInsA"},
        {"slow_data.digital_code_insert", "DigitalCodeSW"},
        {"slow_data.digital_code", "DigitalCodeValue"},
        {"slow_data.message", "SlowDataMsg"},
        {"beacon.message", "BeaconMessage"},
        {"beacon.interval_s", "BeaconTimer"},
        {"serial_port.baud_rate", "Baud"},
        {"serial_port.mode", "Mode"},
        {"serial_port.gprmc", "GPRMC"},
        {"serial_port.gpgga", "GPGGA"},
        {"serial_port.gpgll", "GPGLL"},
        {"serial_port.gpgsa", "GPGSA"},
        {"serial_port.gpvtg", "GPVTG"},
        {"serial_port.message_send", "GPS_MsgSend"},
        {"serial_port.gps_message", "GPS_Message"},
    };
    return names;
}

// A value as the dialogs show it: a switch as ON or OFF, the rest as the
// settings file writes it (a text in quotes).
QString shownValue(const std::string& value)
{
    if (value == "true") return QStringLiteral("ON");
    if (value == "false") return QStringLiteral("OFF");
    return QString::fromStdString(value);
}

}  // namespace

QString valueLabel(const QWidget* dialog, const std::string& key)
{
    const auto name = controlNames().find(key);
    const QWidget* control = dialog != nullptr && name != controlNames().end()
                                 ? dialog->findChild<QWidget*>(QString::fromLatin1(name->second))
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
        const QString sent = shownValue(value.sent);
        switch (value.why) {
        case Why::Differs:
            report.notTaken(QCoreApplication::translate("NotTaken", "%1: sent %2, the adapter holds %3")
                                .arg(label, sent, shownValue(value.holds)));
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
