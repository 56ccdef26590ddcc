// Text from the adapter and from files as brisel-ctl shows it: escaped on a
// terminal, converted from Latin-1 in JSON.

#include "device/shown_text.h"
#include "tests/support/ctl_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace {

TEST(ShownText, EscapesControlCharactersAndBackslashesOnly)
{
    const struct {
        std::string_view given;
        bool latin1;  // else UTF-8
        const char* shown;
    } cases[] = {
        {"N0CALL B", true, "N0CALL B"},
        {std::string_view("a\0b", 3), true, "a\\x00b"},
        {"\x01\x1F\x20", true, "\\x01\\x1F "},
        {"\x7F\x80\x9B\x9F\xA0", true, "\\x7F\\x80\\x9B\\x9F\xC2\xA0"},
        {"\x1B[31m", true, "\\x1B[31m"},  // no colour change
        {"a\\b", true, "a\\\\b"},
        {"\\x41", true, "\\\\x41"},  // an escape in the text cannot pass for one of ours
        {"B\xE9"
         "acon\xFF",
         true,
         "B\xC3\xA9"
         "acon\xC3\xBF"},
        {"B\xC3\xA9"
         "acon",
         false,
         "B\xC3\xA9"
         "acon"},
        {"\xC2\x9B"
         "1m\xE2\x82\xAC",
         false, "\\x9B1m\xE2\x82\xAC"},                // C1 in UTF-8 as well
        {"\xE9t\xE9\xC3", false, "\\xE9t\\xE9\\xC3"},  // not UTF-8: byte by byte
        {"line\nbreak\t", false, "line\\x0Abreak\\x09"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.latin1 ? shown::fromLatin1(c.given) : shown::fromUtf8(c.given), c.shown) << c.given;
    EXPECT_EQ(shown::linesFromUtf8("one\x07\ntwo\n"), "one\\x07\ntwo\n");
}

std::string times(int count, const std::string& text)
{
    std::string out;
    for (int i = 0; i < count; ++i) out += text;
    return out;
}

// A quoted text is cut where its shown form passes 80 characters: an
// escape counts as the four it shows as, a letter of two bytes as one.
TEST(ShownText, QuotesAreCutAtEightyShownCharacters)
{
    const std::string e = "\xC3\xA9", ellipsis = "\xE2\x80\xA6";
    const struct {
        std::string given, clipped;
    } cases[] = {
        {std::string(80, 'k'), std::string(80, 'k')},
        {std::string(81, 'k'), std::string(80, 'k') + ellipsis},
        {times(81, e), times(80, e) + ellipsis},
        {std::string(20, '\x1B') + "k", std::string(20, '\x1B') + ellipsis},
        {std::string(79, 'k') + "\\", std::string(79, 'k') + ellipsis},
        {std::string(78, 'k') + "\\", std::string(78, 'k') + "\\"},
        {std::string(77, 'k') + "\xFF", std::string(77, 'k') + ellipsis},
        {std::string(10000000, 'k'), std::string(80, 'k') + ellipsis},
    };
    for (const auto& c : cases) EXPECT_EQ(shown::clipped(c.given), c.clipped) << c.given.substr(0, 100);
}

struct Outcome {
    int status;
    std::string out, err;
};

Outcome detect(emu::Emulator& adapter, std::vector<std::string> args)
{
    args.insert(args.begin(), "detect");
    std::ostringstream out, err;
    const int status = ctltest::runDemo(adapter, std::move(args), out, err, "");
    return {status, out.str(), err.str()};
}

// A firmware text holding a Latin-1 letter and control characters: JSON
// that a parser takes, with the letter as UTF-8; text with the controls
// escaped.
TEST(Detect, FirmwareTextComesOutAsUtf8)
{
    emu::Emulator adapter;
    adapter.state().firmwareVersion = "DV Brisel \xE9\x07\x1B V01.07\\";

    const Outcome json = detect(adapter, {"--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const auto parsed = nlohmann::json::parse(json.out);  // throws on a raw 0xE9 byte
    EXPECT_EQ(parsed.at("firmware"), "DV Brisel \xC3\xA9\x07\x1B V01.07\\");
    EXPECT_EQ(parsed.at("status"), "opened");
    EXPECT_EQ(parsed.at("features").at("beacon"), true);
    EXPECT_EQ(json.out.find('\n'), json.out.size() - 1);

    const Outcome text = detect(adapter, {});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Firmware: DV Brisel \xC3\xA9\\x07\\x1B V01.07\\\\\n"), std::string::npos) << text.out;
}

}  // namespace
