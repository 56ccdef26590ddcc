#include "settings_file/save_result.h"

#include "device/adapter_connection.h"
#include "device/commands.h"
#include "device/vendor_link.h"
#include "settings_file/settings_file.h"

#include <algorithm>

namespace settings {
namespace {

constexpr const char* BaudKey = "serial_port.baud_rate";

// Which key each write request of a Save writes. The text write's opening
// request counts for the group's one text written in pieces; the GPS
// sentence switches share one byte.
struct KeyWrite {
    Group group;
    std::uint8_t code;
    const char* key;
};
constexpr KeyWrite KeyWrites[] = {
    {Group::Basic, cmd::WriteDelayTime, "basic.delay_time_ms"},
    {Group::Basic, cmd::WriteTimeOut, "basic.time_out_s"},
    {Group::Basic, cmd::WriteResyncErrorBits, "basic.resync_error_bits"},
    {Group::Basic, cmd::WriteLastFrameErrorBits, "basic.last_frame_error_bits"},
    {Group::Basic, cmd::WriteKeepAlive, "basic.keep_alive_ms"},
    {Group::Basic, cmd::WriteCrcCheck, "basic.crc_check"},
    {Group::Basic, cmd::WriteLastFrameSend, "basic.last_frame_send"},
    {Group::Basic, cmd::WriteDuplex, "basic.half_duplex"},
    {Group::Basic, cmd::WritePreBitPattern, "basic.pre_bit_pattern"},
    {Group::Basic, cmd::WritePostBitPattern, "basic.post_bit_pattern"},
    {Group::Basic, cmd::WriteTxInvert, "basic.tx_invert"},
    {Group::Basic, cmd::WriteRxInvert, "basic.rx_invert"},
    {Group::Basic, cmd::WriteAutoRxPolarity, "basic.auto_rx_detect"},
    {Group::Basic, cmd::WriteCosCheck, "basic.cos_check"},
    {Group::Basic, cmd::WriteSquelchLevel, "basic.squelch_level"},
    {Group::Basic, cmd::WriteJitterBuffer, "basic.jitter_buffer_size"},
    {Group::Repeater, cmd::WriteMyRepeaterCall, "repeater.my_repeater_call"},
    {Group::Repeater, cmd::WriteAltMyCall, "repeater.alt_my_call"},
    {Group::Repeater, cmd::WriteAltMyCall2, "repeater.alt_my_call2"},
    {Group::Repeater, cmd::WriteAltYourCall, "repeater.alt_your_call"},
    {Group::Repeater, cmd::WriteAltRpt1Call, "repeater.alt_rpt1_call"},
    {Group::Repeater, cmd::WriteAltRpt2Call, "repeater.alt_rpt2_call"},
    {Group::Repeater, cmd::WriteCallCheck, "repeater.call_check"},
    {Group::Repeater, cmd::WriteDupCheck, "repeater.dup_check"},
    {Group::Repeater, cmd::WriteDupClear, "repeater.dup_clear"},
    {Group::Repeater, cmd::WriteReplaceMyCall, "repeater.replace_alt_my_call"},
    {Group::Repeater, cmd::WriteReplaceMyCall2, "repeater.replace_alt_my_call2"},
    {Group::Repeater, cmd::WriteReplaceYourCall, "repeater.replace_alt_your_call"},
    {Group::Repeater, cmd::WriteReplaceRpt1Call, "repeater.replace_alt_rpt1_call"},
    {Group::Repeater, cmd::WriteReplaceRpt2Call, "repeater.replace_alt_rpt2_call"},
    {Group::Repeater, cmd::WriteReplaceFlag, "repeater.replace_flag_byte"},
    {Group::Repeater, cmd::WriteAltFlagByte, "repeater.flag_byte"},
    {Group::SlowData, cmd::WriteSlowDataBefore, "slow_data.insert_before"},
    {Group::SlowData, cmd::WriteSlowDataAfter, "slow_data.insert_after"},
    {Group::SlowData, cmd::WriteDigitalCodeInsert, "slow_data.digital_code_insert"},
    {Group::SlowData, cmd::WriteDigitalCode, "slow_data.digital_code"},
    {Group::SlowData, cmd::StartTextWrite, "slow_data.message"},
    {Group::SlowData, cmd::WriteSlowDataMessage, "slow_data.message"},
    {Group::Beacon, cmd::WriteBeaconInterval, "beacon.interval_s"},
    {Group::Beacon, cmd::StartTextWrite, "beacon.message"},
    {Group::Beacon, cmd::WriteBeaconMessage, "beacon.message"},
    {Group::SerialPort, cmd::WriteBaudRate, "serial_port.baud_rate"},
    {Group::SerialPort, cmd::WriteSerialMode, "serial_port.mode"},
    {Group::SerialPort, cmd::WriteGpsBits, "serial_port.gprmc"},
    {Group::SerialPort, cmd::WriteGpsBits, "serial_port.gpgga"},
    {Group::SerialPort, cmd::WriteGpsBits, "serial_port.gpgll"},
    {Group::SerialPort, cmd::WriteGpsBits, "serial_port.gpgsa"},
    {Group::SerialPort, cmd::WriteGpsBits, "serial_port.gpvtg"},
    {Group::SerialPort, cmd::WriteGpsBits, "serial_port.message_send"},
    {Group::SerialPort, cmd::StartTextWrite, "serial_port.gps_message"},
    {Group::SerialPort, cmd::WriteGpsMessage, "serial_port.gps_message"},
};

// The keys of `values` that a write of `code` in `group` writes.
std::vector<std::string> keysWritten(Group group, std::uint8_t code, const std::vector<std::string>& keys)
{
    std::vector<std::string> found;
    for (const KeyWrite& write : KeyWrites)
        if (write.group == group && write.code == code && std::find(keys.begin(), keys.end(), write.key) != keys.end())
            found.emplace_back(write.key);
    return found;
}

// Passes requests on, noting the write requests that returned and the one
// under way.
class WatchedTransport final : public Transport {
public:
    explicit WatchedTransport(Transport& inner) : inner_(inner) {}
    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override
    {
        underWay_ = requestType == usbreq::VendorOut && length >= 0 ? std::optional(request) : std::nullopt;
        const int result = inner_.controlRequest(requestType, request, value, index, data, length, timeoutMs);
        if (underWay_) returned_.push_back(*underWay_);
        underWay_.reset();
        return result;
    }
    const std::vector<std::uint8_t>& returned() const { return returned_; }
    std::optional<std::uint8_t> underWay() const { return underWay_; }

private:
    Transport& inner_;
    std::vector<std::uint8_t> returned_;
    std::optional<std::uint8_t> underWay_;
};

}  // namespace

GroupSave saveGroupWatched(VendorLink& link, const Pause& pause, Group group, const Snapshot& values,
                           Snapshot& readBack, std::optional<CutWrite>& cut)
{
    WatchedTransport watched(link.transport());
    VendorLink watchedLink(watched);
    try {
        return saveGroup(watchedLink, pause, group, values, readBack);
    } catch (const AdapterGone&) {
        std::vector<std::string> keys;
        for (const std::string& key : allKeys())
            if (groupOfKey(key) == group && valueText(values, key)) keys.push_back(key);
        CutWrite c;
        c.group = group;
        const auto noted = [&c](const std::string& key) {
            return std::find(c.reached.begin(), c.reached.end(), key) != c.reached.end() ||
                   std::find(c.maybe.begin(), c.maybe.end(), key) != c.maybe.end();
        };
        if (const auto underWay = watched.underWay()) c.maybe = keysWritten(group, *underWay, keys);
        // A text written in pieces reached the adapter only with its last piece.
        for (std::uint8_t code : watched.returned())
            for (const std::string& key : keysWritten(group, code, keys))
                if (!noted(key)) c.reached.push_back(key);
        for (const std::string& key : keys)
            if (!noted(key)) c.notSent.push_back(key);
        cut = std::move(c);
        throw;
    }
}

std::vector<ValueNotTaken> judgeSave(Group group, const Snapshot& sent, const GroupSave& save, const Snapshot& readBack,
                                     const Features* features)
{
    using Why = ValueNotTaken::Why;
    std::vector<ValueNotTaken> result;
    auto judged = [&](const std::string& key) {
        return groupOfKey(key) == group && !(features != nullptr && firmwareLacksKey(*features, key));
    };
    if (save.refused) {
        // Nothing after the refused baud rate was sent.
        for (const std::string& key : allKeys()) {
            if (!judged(key)) continue;
            if (const auto value = valueText(sent, key))
                result.push_back(
                    {key == BaudKey ? Why::Refused : Why::NotSent, key, *value, {}, typedValue(sent, key), {}});
        }
        return result;
    }
    for (FieldChange& change : differences(onlyGroup(readBack, group), onlyGroup(sent, group))) {
        if (!judged(change.key)) continue;
        if (valueText(readBack, change.key))
            result.push_back({Why::Differs, change.key, change.to, change.from, change.shownTo, change.shownFrom});
        else result.push_back({Why::NotReadBack, change.key, change.to, {}, change.shownTo, {}});
    }
    return result;
}

bool anyNotReadBack(const std::vector<ValueNotTaken>& values)
{
    return std::any_of(values.begin(), values.end(),
                       [](const ValueNotTaken& v) { return v.why == ValueNotTaken::Why::NotReadBack; });
}

}  // namespace settings
