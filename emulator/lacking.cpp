#include "emulator/lacking.h"

#include "device/shown_text.h"

#include <algorithm>
#include <array>
#include <utility>

namespace emu {
namespace {

constexpr std::array<std::pair<std::string_view, Feature>, 5> Names{{
    {"slow_data", Feature::SlowData},
    {"beacon", Feature::Beacon},
    {"serial_port", Feature::SerialPort},
    {"squelch", Feature::Squelch},
    {"jitter_buffer", Feature::Jitter},
}};

}  // namespace

std::optional<std::vector<Feature>> parseLacking(std::string_view text)
{
    std::vector<Feature> lacking;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view name = text.substr(0, comma);
        const auto* found = std::find_if(Names.begin(), Names.end(), [&](const auto& n) { return n.first == name; });
        if (found == Names.end()) return std::nullopt;
        lacking.push_back(found->second);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (comma != std::string_view::npos && text.empty()) return std::nullopt;  // a trailing comma
    }
    return lacking;
}

std::string lackingProblem(std::string_view given)
{
    return "--lacking wants some of slow_data, beacon, serial_port, squelch, jitter_buffer, joined by commas, "
           "not '" +
           shown::clipped(given) + "'";
}

void leaveOut(Emulator& adapter, const std::vector<Feature>& lacking)
{
    for (const Feature feature : lacking) adapter.setFeature(feature, false);
}

}  // namespace emu
