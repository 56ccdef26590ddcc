// Settings files: any text is read without a crash; a file read without a
// problem holds only values the adapter can hold, a restore of it onto an
// adapter holding those values refuses and changes none of them, and written
// again it reads back the same, as does each of its keys through set. An
// input that begins with "#deep" is read with a part of it repeated up to
// 64 KiB, so that nesting far deeper than a short input holds (a key of tens
// of thousands of parts, where the TOML parser itself would overflow its
// stack) is tried too, at a size that keeps each run quick.

#include "device/encodings.h"
#include "fuzz/check.h"
#include "settings/rules.h"
#include "settings_file/key_depth.h"
#include "settings_file/restore_plan.h"
#include "settings_file/settings_file.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace settings;

template <class T>
void checkNumber(const std::optional<T>& value, const NumberRule& rule, const char* name)
{
    if (value) FUZZ_CHECK(rule.shown(*value) <= rule.wireMax, "%s: %u", name, unsigned(*value));
}

void checkText(const std::optional<std::string>& text, std::size_t width, const char* name)
{
    if (!text) return;
    FUZZ_CHECK(text->size() <= width, "%s: %zu characters", name, text->size());
    FUZZ_CHECK(text->find('\0') == std::string::npos, "%s: a NUL", name);
}

template <std::size_t N>
void checkCode(const std::optional<std::uint8_t>& code, const std::uint8_t (&codes)[N], const char* name)
{
    if (code) FUZZ_CHECK(std::find(codes, codes + N, *code) != codes + N, "%s: code %u", name, unsigned(*code));
}

void checkWithinRules(const Snapshot& values)
{
    if (const auto& b = values.basic) {
        checkNumber(b->delayTime, rule::DelayTime, "delay time");
        checkNumber(b->timeOut, rule::TimeOut, "time-out");
        checkNumber(b->keepAlive, rule::KeepAlive, "keep-alive");
        checkNumber(b->resyncErrorBits, rule::ResyncErrorBits, "resync error bits");
        checkNumber(b->lastFrameErrorBits, rule::LastFrameErrorBits, "last frame error bits");
        checkNumber(b->squelchLevel, rule::SquelchLevel, "squelch");
        checkNumber(b->jitterBuffer, rule::JitterBuffer, "jitter buffer");
    }
    if (const auto& r = values.repeater)
        for (std::size_t i = 0; i < CallSignCount; ++i)
            checkText(r->callSigns[i], static_cast<std::size_t>(CallSignFields[i].width), "call sign");
    if (const auto& d = values.slowData) checkText(d->message, enc::MessageBlockSize, "slow data message");
    if (const auto& c = values.beacon) {
        checkText(c->message, enc::MessageBlockSize, "beacon message");
        checkNumber(c->interval, rule::BeaconInterval, "beacon interval");
    }
    if (const auto& s = values.serialPort) {
        checkCode(s->baudCode, BaudCodes, "baud rate");
        checkCode(s->modeCode, ModeCodes, "mode");
        if (s->gpsBits) FUZZ_CHECK((*s->gpsBits & ~GpsBitsMask) == 0, "GPS bits %02x", unsigned(*s->gpsBits));
        checkText(s->gpsMessage, enc::GpsBlockSize, "GPS message");
    }
}

// "#deep" HEAD`UNIT`TAIL as HEAD, UNIT repeated to 64 KiB, TAIL (without
// the backquotes, the whole rest is the unit); otherwise nothing.
std::string deepened(std::string_view input)
{
    constexpr std::string_view Mark = "#deep";
    if (input.substr(0, Mark.size()) != Mark) return {};
    std::string_view head, unit = input.substr(Mark.size()), tail;
    if (const auto open = unit.find('`'), close = unit.find('`', open + 1); close != std::string_view::npos) {
        head = unit.substr(0, open);
        tail = unit.substr(close + 1);
        unit = unit.substr(open + 1, close - open - 1);
    }
    if (unit.empty()) return {};
    std::string text(head);
    while (text.size() + unit.size() + tail.size() <= 64 * 1024) text += unit;
    return text += tail;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string deep = deepened({reinterpret_cast<const char*>(data), size});
    const std::string_view text = deep.empty() ? std::string_view(reinterpret_cast<const char*>(data), size) : deep;
    if (const auto found = findDeepKey(text)) FUZZ_CHECK(found->parts > DeepestKey && found->line >= 1, "deep key");
    const FileContents file = readSettingsFile(text);
    for (const FileProblem& p : file.problems)
        FUZZ_CHECK(p.line >= 0 && (p.kind != FileProblem::Kind::Syntax || !p.detail.empty()), "problem %d on line %d",
                   static_cast<int>(p.kind), p.line);
    if (!file.problems.empty()) return 0;

    checkWithinRules(file.values);
    const RestorePlan plan = planRestore(file.values, file.values, file.lines);
    FUZZ_CHECK(plan.problems.empty() && plan.changes.empty(), "refused onto its own adapter: %s",
               plan.problems.empty() ? "" : plan.problems.front().key.c_str());
    const std::string again = writeSettingsFile(file.values, {});
    const FileContents back = readSettingsFile(again);
    FUZZ_CHECK(back.problems.empty() && back.values == file.values, "written again:\n%s", again.c_str());
    for (const std::string& key : allKeys()) {
        const std::optional<std::string> shown = valueText(file.values, key);
        if (!shown) continue;
        Snapshot set = file.values;
        const std::optional<FileProblem> problem = setFromText(set, key, *shown);
        FUZZ_CHECK(!problem && set == file.values, "%s = %s: problem %d", key.c_str(), shown->c_str(),
                   problem ? static_cast<int>(problem->kind) : -1);
    }
    return 0;
}
