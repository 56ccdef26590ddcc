// A whole Save of the basic settings dialog over arbitrary texts and check
// states: every field is either written once, in range, or refused with its
// quoted message, and nothing else is sent or shown.

#include "dialogs/basicinfo.h"
#include "fuzz/save_checks.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

struct NumberRow {
    const char* edit;
    std::uint8_t code;
    const char* notNumber;
    const char* outOfRange;
};

const NumberRow Rows[] = {
    {"DelayTime", 0x02, "Invalid character in Delay Time", "Invalid value in Delay Time (Max. value is 2550 mSec.)"},
    {"TimeOut", 0x01, "Invalid character in Time Out", "Invalid value in Time Out(Max. value is 2550 sec.)"},
    {"ReSyncErrorBit", 0x04, "Invalid character in Resync error bits",
     "Invalid value in Resync error bits (Max. value is 24)"},
    {"LastFrameErrorBits", 0x5A, "Invalid character in Last Frame Error bits",
     "Invalid value in Last Frame Error Bits (Max. value is 24)"},
    {"KeepAlive", 0x03, "Invalid character in Keep Alive", "Invalid value in Keep Alive (Max. value is 2550 mSec.)"},
    {"SN_SQ", 0x71, "Invalid character in SN Squelch", "Invalid value in S/N Squelch (Max. value is 1023.)"},
    {"JitterValue", 0x4A, "Invalid character in Jitter Buffer Size",
     "Invalid value in Jitter Buffer Size (Max. value is 255)"},
};
const char* const SquelchRule = "You must set the value of S/N Squelch > 0, when you set none COS check.";
const char* const WordEdits[] = {"CRCCheck", "LastFrameSend", "Duplex", "PreBit", "PostBit"};
const char* const Boxes[] = {"TxInvert", "RxInvert", "AutoRXDetect", "CosCheck"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::startApplication();
    static fuzz::Adapter* adapter = new fuzz::Adapter;
    // Built as start-up builds it: the probes' answers shown.
    static TAutoDetect* dialog = [] {
        auto* built = new TAutoDetect(adapter->context());
        built->showProbe(settings::probeBasic(adapter->link));
        return built;
    }();

    fuzz::Input in(data, size);
    const std::uint8_t checks = in.byte();
    for (const NumberRow& row : Rows) dialog->findChild<QLineEdit*>(row.edit)->setText(fuzz::typed(in.field()));
    for (const char* name : WordEdits) dialog->findChild<QLineEdit*>(name)->setText(fuzz::typed(in.field()));
    for (int i = 0; i < 4; ++i) dialog->findChild<QCheckBox*>(Boxes[i])->setChecked(checks & (1 << i));

    adapter->emulator.clearLog();
    adapter->host.messages.clear();
    dialog->Save1Click();
    const auto& log = adapter->emulator.log();

    fuzz::checkWire(log);
    std::vector<const char*> quoted{SquelchRule};
    for (const NumberRow& row : Rows) {
        quoted.push_back(row.notNumber);
        quoted.push_back(row.outOfRange);
    }
    for (const QString& m : adapter->host.messages)
        FUZZ_CHECK(std::any_of(quoted.begin(), quoted.end(), [&m](const char* q) { return m == q; }),
                   "unknown message: %s", m.toUtf8().constData());

    // Each number field: written once, or refused with one of its messages.
    for (const NumberRow& row : Rows) {
        const auto writes = fuzz::writesOf(log, row.code);
        int refusals = 0;
        for (const QString& m : adapter->host.messages)
            if (m == row.notNumber || m == row.outOfRange || (row.code == 0x71 && m == SquelchRule)) ++refusals;
        FUZZ_CHECK(writes.size() + refusals == 1, "%s: %zu writes, %d messages", row.edit, writes.size(), refusals);
    }
    for (std::uint8_t code : {0x07, 0x0A, 0x0E, 0xE0, 0xE1, 0xD2, 0xD1, 0xD3})
        FUZZ_CHECK(fuzz::writesOf(log, code).size() == 1, "code 0x%02X not written once", code);
    // COS Check is not stored when the squelch rule refuses its level of 0.
    const bool ruleRefused = adapter->host.messages.contains(QString::fromLatin1(SquelchRule));
    FUZZ_CHECK(fuzz::writesOf(log, 0x06).size() == (ruleRefused ? 0u : 1u), "COS Check with the rule %d",
               int(ruleRefused));
    return 0;
}
