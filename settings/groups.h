#pragma once
// Reading and writing whole groups, with exactly the requests the dialogs
// send: a read is the stream of opening the group's dialog from the main
// menu, a write is the dialog's Save as it runs with the dialog showing the
// values.

#include "settings/pause.h"
#include "settings/rules.h"
#include "settings/snapshot.h"

class VendorLink;

namespace settings {

// Reads `group` into `into`. The serial port group is read when its dialog
// is built at start-up; `startUp` holds that read, and nothing is sent again.
void readGroup(VendorLink& link, Group group, const StartUp& startUp, Snapshot& into);

// The values the dialog would send when it shows `wanted`:
// - basic: the squelch level and the jitter buffer size only when the
//   firmware has them (their boxes are disabled otherwise); no number beyond
//   its dialog's range, and neither value of a squelch level of 0 with COS
//   check off (the Save refuses them; the adapter may hold that pair,
//   `held`, and then keeps it). With `exact` (values put back as the
//   program's own record or automatic backup holds them), those numbers and
//   that pair are written as they are, with the same requests;
// - repeater: bits 7 and 4 of the flag byte as the adapter holds them (the
//   user cannot change them);
// - serial port: a baud or mode code without a button is left out, and of
//   the GPS bits only those with a button count.
BasicValues writableBasic(BasicValues wanted, const BasicFeatures& features,
                          const std::optional<BasicValues>& held = std::nullopt, bool exact = false);
RepeaterValues writableRepeater(RepeaterValues wanted, std::optional<std::uint8_t> heldFlagByte);
SerialPortValues writableSerialPort(SerialPortValues wanted);

// The S/N squelch level and COS check of `values`, as the squelch rule
// judges them (settings/rules.h).
SquelchPair squelchPairOf(const BasicValues& values);

// Bits of the flag byte that the user cannot change.
inline constexpr std::uint8_t FixedFlagBits = 0x90;

struct GroupSave {
    // The adapter refused the serial port's baud rate: nothing after it
    // was sent.
    bool refused = false;
    // Basic: the features the read-back's squelch and jitter reads found.
    BasicFeatures basic;
};

// Writes `group` from `values` with the dialog's Save stream and puts what
// was read back into `readBack`. The caller has made the values writable
// and judged them by the rules.
GroupSave saveGroup(VendorLink& link, const Pause& pause, Group group, const Snapshot& values, Snapshot& readBack);

}  // namespace settings
