#include "settings_file/file_fields.h"

#include "device/encodings.h"

#include <type_traits>

namespace settings::file {
namespace {

template <class T>
Held toHeld(const T& value)
{
    if constexpr (std::is_same_v<T, std::string>) return value;
    else return static_cast<std::uint32_t>(value);
}

template <class T>
T fromHeld(const Held& value)
{
    if constexpr (std::is_same_v<T, std::string>) return std::get<std::string>(value);
    else return static_cast<T>(std::get<std::uint32_t>(value));
}

template <auto Member, int Index>
decltype(auto) member(auto& values)
{
    if constexpr (Index < 0) return (values.*Member);
    else return ((values.*Member)[Index]);
}

template <auto GroupSlot, auto Member, int Index>
std::optional<Held> getValue(const Snapshot& snapshot)
{
    const auto& group = snapshot.*GroupSlot;
    if (!group) return std::nullopt;
    const auto& value = member<Member, Index>(*group);
    if (!value) return std::nullopt;
    return toHeld(*value);
}

template <auto GroupSlot, auto Member, int Index>
void putValue(Snapshot& snapshot, const Held& value)
{
    auto& group = snapshot.*GroupSlot;
    if (!group) group.emplace();
    auto& slot = member<Member, Index>(*group);
    slot = fromHeld<typename std::remove_reference_t<decltype(slot)>::value_type>(value);
}

// The GPS sentence switches share one byte: each key is one bit of it.
template <std::uint8_t Mask>
std::optional<Held> getGpsBit(const Snapshot& snapshot)
{
    if (!snapshot.serialPort || !snapshot.serialPort->gpsBits) return std::nullopt;
    return Held{(*snapshot.serialPort->gpsBits & Mask) != 0 ? 1u : 0u};
}

template <std::uint8_t Mask>
void putGpsBit(Snapshot& snapshot, const Held& value)
{
    auto& group = snapshot.serialPort;
    if (!group) group.emplace();
    const std::uint8_t bits = group->gpsBits.value_or(0);
    group->gpsBits = static_cast<std::uint8_t>(std::get<std::uint32_t>(value) ? bits | Mask : bits & ~Mask);
}

constexpr Group groupOf(std::optional<BasicValues> Snapshot::*)
{
    return Group::Basic;
}
constexpr Group groupOf(std::optional<RepeaterValues> Snapshot::*)
{
    return Group::Repeater;
}
constexpr Group groupOf(std::optional<SlowDataValues> Snapshot::*)
{
    return Group::SlowData;
}
constexpr Group groupOf(std::optional<BeaconValues> Snapshot::*)
{
    return Group::Beacon;
}
constexpr Group groupOf(std::optional<SerialPortValues> Snapshot::*)
{
    return Group::SerialPort;
}

template <auto GroupSlot, auto Member, int Index = -1>
Field field(const char* key, Kind kind, const char* note = "")
{
    return Field{groupOf(GroupSlot),
                 key,
                 kind,
                 nullptr,
                 "",
                 Index < 0 ? 0u : std::size_t(Index),
                 note,
                 &getValue<GroupSlot, Member, Index>,
                 &putValue<GroupSlot, Member, Index>};
}

template <auto GroupSlot, auto Member>
Field number(const char* key, const NumberRule& rule, const char* unit, const char* note = "")
{
    Field f = field<GroupSlot, Member>(key, Kind::Number, note);
    f.rule = &rule;
    f.unit = unit;
    return f;
}

template <std::uint8_t Mask>
Field gpsBit(const char* key)
{
    return Field{Group::SerialPort, key, Kind::GpsBit, nullptr, "", 0, "", &getGpsBit<Mask>, &putGpsBit<Mask>};
}

}  // namespace

// Every key in file order.
const std::vector<Field>& fields()
{
    static const std::vector<Field> all = [] {
        constexpr auto B = &Snapshot::basic;
        constexpr auto R = &Snapshot::repeater;
        constexpr auto D = &Snapshot::slowData;
        constexpr auto C = &Snapshot::beacon;
        constexpr auto S = &Snapshot::serialPort;
        using BV = BasicValues;
        using RV = RepeaterValues;
        return std::vector<Field>{
            number<B, &BV::delayTime>("delay_time_ms", rule::DelayTime, "ms"),
            number<B, &BV::timeOut>("time_out_s", rule::TimeOut, "s"),
            number<B, &BV::keepAlive>("keep_alive_ms", rule::KeepAlive, "ms"),
            number<B, &BV::resyncErrorBits>("resync_error_bits", rule::ResyncErrorBits, "bits"),
            number<B, &BV::lastFrameErrorBits>("last_frame_error_bits", rule::LastFrameErrorBits, "bits"),
            field<B, &BV::crcCheck>("crc_check", Kind::Switch),
            field<B, &BV::cosCheck>("cos_check", Kind::Switch),
            field<B, &BV::lastFrameSend>("last_frame_send", Kind::Switch),
            field<B, &BV::halfDuplex>("half_duplex", Kind::Switch, "true: half duplex, false: full duplex"),
            field<B, &BV::preBitPattern>("pre_bit_pattern", Kind::Hex, "0x00 to 0xFF, recommended 0xF0"),
            field<B, &BV::postBitPattern>("post_bit_pattern", Kind::Hex, "0x00 to 0xFF, recommended 0x66"),
            field<B, &BV::txInvert>("tx_invert", Kind::Switch),
            field<B, &BV::rxInvert>("rx_invert", Kind::Switch),
            field<B, &BV::autoRxDetect>("auto_rx_detect", Kind::Switch, "automatic RX polarity, true or false"),
            number<B, &BV::squelchLevel>("squelch_level", rule::SquelchLevel, "", "; 0 needs cos_check = true"),
            number<B, &BV::jitterBuffer>("jitter_buffer_size", rule::JitterBuffer, ""),

            field<R, &RV::callSigns, 0>("my_repeater_call", Kind::CallSign),
            field<R, &RV::callSigns, 1>("alt_my_call", Kind::CallSign),
            field<R, &RV::callSigns, 2>("alt_my_call2", Kind::CallSign),
            field<R, &RV::callSigns, 3>("alt_your_call", Kind::CallSign),
            field<R, &RV::callSigns, 4>("alt_rpt1_call", Kind::CallSign),
            field<R, &RV::callSigns, 5>("alt_rpt2_call", Kind::CallSign),
            field<R, &RV::switches, 0>("call_check", Kind::Switch),
            field<R, &RV::switches, 1>("dup_check", Kind::Switch),
            field<R, &RV::switches, 2>("dup_clear", Kind::Switch),
            field<R, &RV::switches, 3>("replace_alt_my_call", Kind::Switch),
            field<R, &RV::switches, 4>("replace_alt_my_call2", Kind::Switch),
            field<R, &RV::switches, 5>("replace_alt_your_call", Kind::Switch),
            field<R, &RV::switches, 6>("replace_alt_rpt1_call", Kind::Switch),
            field<R, &RV::switches, 7>("replace_alt_rpt2_call", Kind::Switch),
            field<R, &RV::switches, 8>("replace_flag_byte", Kind::Switch),
            field<R, &RV::flagByte>("flag_byte", Kind::FlagByte,
                                    "0x00 to 0xFF; bits 7 and 4 stay as the adapter holds them"),

            field<D, &SlowDataValues::insertBefore>("insert_before", Kind::Switch),
            field<D, &SlowDataValues::insertAfter>("insert_after", Kind::Switch),
            field<D, &SlowDataValues::digitalCodeInsert>("digital_code_insert", Kind::Switch),
            field<D, &SlowDataValues::digitalCode>("digital_code", Kind::Hex, "0x00 to 0xFF, two digits"),
            field<D, &SlowDataValues::message>("message", Kind::Message),

            field<C, &BeaconValues::message>("message", Kind::Message),
            number<C, &BeaconValues::interval>("interval_s", rule::BeaconInterval, "s"),

            field<S, &SerialPortValues::baudCode>("baud_rate", Kind::Baud),
            field<S, &SerialPortValues::modeCode>("mode", Kind::Mode),
            gpsBit<0x01>("gprmc"),
            gpsBit<0x02>("gpgga"),
            gpsBit<0x04>("gpgll"),
            gpsBit<0x08>("gpgsa"),
            gpsBit<0x10>("gpvtg"),
            gpsBit<0x80>("message_send"),
            field<S, &SerialPortValues::gpsMessage>("gps_message", Kind::GpsMessage),
        };
    }();
    return all;
}

std::string fullKey(const Field& f)
{
    return std::string(groupName(f.group)) + "." + f.key;
}

const Field* findField(Group group, std::string_view key)
{
    for (const Field& f : fields())
        if (f.group == group && key == f.key) return &f;
    return nullptr;
}

const Field* findField(std::string_view key)
{
    const std::size_t dot = key.find('.');
    if (dot == std::string_view::npos) return nullptr;
    const std::optional<Group> group = groupNamed(key.substr(0, dot));
    return group ? findField(*group, key.substr(dot + 1)) : nullptr;
}

namespace {

// Applies `action` to the group's slot in the snapshot.
template <class Action>
void withGroup(Snapshot& snapshot, Group group, Action&& action)
{
    switch (group) {
    case Group::Basic: action(snapshot.basic); break;
    case Group::Repeater: action(snapshot.repeater); break;
    case Group::SlowData: action(snapshot.slowData); break;
    case Group::Beacon: action(snapshot.beacon); break;
    case Group::SerialPort: action(snapshot.serialPort); break;
    }
}

}  // namespace

void makeThere(Snapshot& snapshot, Group group)
{
    withGroup(snapshot, group, [](auto& slot) {
        if (!slot) slot.emplace();
    });
}

std::size_t textWidth(const Field& f)
{
    switch (f.kind) {
    case Kind::CallSign: return static_cast<std::size_t>(CallSignFields[f.index].width);
    case Kind::Message: return enc::MessageBlockSize;
    default: return enc::GpsBlockSize;
    }
}

}  // namespace settings::file
