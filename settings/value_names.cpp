#include "settings/value_names.h"

#include "settings/file_fields.h"

#include <string>

namespace settings {
namespace {

// The label and field of each key, in file order.
struct Shown {
    const char* key;
    const char* label;
    const char* control;
};

constexpr Shown ShownAs[] = {
    {"basic.delay_time_ms", "Delay Time", "DelayTime"},
    {"basic.time_out_s", "Time Out", "TimeOut"},
    {"basic.keep_alive_ms", "Keep Alive", "KeepAlive"},
    {"basic.resync_error_bits", "Resync Error Bits", "ReSyncErrorBit"},
    {"basic.last_frame_error_bits", "Last Frame Error Bits", "LastFrameErrorBits"},
    {"basic.crc_check", "CRC Check", "CRCCheck"},
    {"basic.cos_check", "COS Check", "CosCheck"},
    {"basic.last_frame_send", "Last Frame Send", "LastFrameSend"},
    {"basic.half_duplex", "Full/Half Duplex", "Duplex"},
    {"basic.pre_bit_pattern", "PreBitPattern", "PreBit"},
    {"basic.post_bit_pattern", "PostBitPattern", "PostBit"},
    {"basic.tx_invert", "TX Invert", "TxInvert"},
    {"basic.rx_invert", "RX Invert", "RxInvert"},
    {"basic.auto_rx_detect", "Auto RX Polarity", "AutoRXDetect"},
    {"basic.squelch_level", "S/N Squelch", "SN_SQ"},
    {"basic.jitter_buffer_size", "Jitter Buffer Size", "JitterValue"},
    {"repeater.my_repeater_call", "My Repeater Call Sign", "MyRepeaterCall"},
    {"repeater.alt_my_call", "Alter My Call Sign", "AltMyCall"},
    {"repeater.alt_my_call2", "Alter My Call Sign2", "AltMyCall2"},
    {"repeater.alt_your_call", "Your Call Sign", "AltYourCall"},
    {"repeater.alt_rpt1_call", "RPT1 Call Sign", "AltRPT1Call"},
    {"repeater.alt_rpt2_call", "RPT2 Call Sign", "AltRPT2Call"},
    {"repeater.call_check", "Call Check", "CallCheckSW"},
    {"repeater.dup_check", "DUP Check", "DupCheckSW"},
    {"repeater.dup_clear", "DUP Clear", "DupClearSW"},
    {"repeater.replace_alt_my_call", "Replace Alter My Call Sign", "AltMyCallSW"},
    {"repeater.replace_alt_my_call2", "Replace Alter My Call Sign2", "AltMyCall2SW"},
    {"repeater.replace_alt_your_call", "Replace Your Call Sign", "AltYourCallSW"},
    {"repeater.replace_alt_rpt1_call", "Replace RPT1 Call Sign", "AltRPT1CallSW"},
    {"repeater.replace_alt_rpt2_call", "Replace RPT2 Call Sign", "AltRPT2CallSW"},
    {"repeater.replace_flag_byte", "Replace Flag", "AltFlagSW"},
    {"repeater.flag_byte", "Flag", "StaticText7"},
    {"slow_data.insert_before", "Before Slow Data Insert", "SlowDataInsB"},
    {"slow_data.insert_after", "After Slow Data Insert", "SlowDataInsA"},
    {"slow_data.digital_code_insert", "Digital Code Insert", "DigitalCodeSW"},
    {"slow_data.digital_code", "Code", "DigitalCodeValue"},
    {"slow_data.message", "Message", "SlowDataMsg"},
    {"beacon.message", "Beacon Message", "BeaconMessage"},
    {"beacon.interval_s", "Beacon Interval timer", "BeaconTimer"},
    {"serial_port.baud_rate", "Baud Rate", "Baud"},
    {"serial_port.mode", "RS232C Mode", "Mode"},
    {"serial_port.gprmc", "GPRMC", "GPRMC"},
    {"serial_port.gpgga", "GPGGA", "GPGGA"},
    {"serial_port.gpgll", "GPGLL", "GPGLL"},
    {"serial_port.gpgsa", "GPGSA", "GPGSA"},
    {"serial_port.gpvtg", "GPVTG", "GPVTG"},
    {"serial_port.message_send", "Message Send", "GPS_MsgSend"},
    {"serial_port.gps_message", "GPS Message", "GPS_Message"},
};

ValueName named(const file::Field& f, const Shown& shown)
{
    using K = file::Kind;
    ValueName v{shown.key, shown.label, shown.control, f.group, ValueName::Sort::Switch, "", 0, 1, {}};
    switch (f.kind) {
    case K::Number:
        v.sort = ValueName::Sort::Number;
        v.unit = f.unit;
        v.max = f.rule->max;
        break;
    case K::Hex:
    case K::FlagByte:
        v.sort = ValueName::Sort::Hex;
        v.max = 0xFF;
        break;
    case K::CallSign:
    case K::Message:
    case K::GpsMessage:
        v.sort = ValueName::Sort::Text;
        v.max = static_cast<std::uint32_t>(file::textWidth(f));
        break;
    case K::Baud:
        v.sort = ValueName::Sort::Choice;
        for (std::uint8_t code : BaudCodes) v.choices.push_back(std::to_string(code * 100));
        break;
    case K::Mode:
        v.sort = ValueName::Sort::Choice;
        for (const char* name : file::ModeNames) v.choices.emplace_back(name);
        break;
    case K::Switch:
    case K::GpsBit: break;
    }
    if (v.sort == ValueName::Sort::Choice) v.max = static_cast<std::uint32_t>(v.choices.size() - 1);
    return v;
}

}  // namespace

const std::vector<ValueName>& valueNames()
{
    static const std::vector<ValueName> all = [] {
        std::vector<ValueName> names;
        for (const Shown& shown : ShownAs) {
            const file::Field* f = file::findField(shown.key);
            // A key missing from the file's fields is a fault of this table;
            // the test of every key finds it.
            if (f != nullptr) names.push_back(named(*f, shown));
        }
        return names;
    }();
    return all;
}

const ValueName* valueNamed(std::string_view key)
{
    for (const ValueName& v : valueNames())
        if (key == v.key) return &v;
    return nullptr;
}

}  // namespace settings
