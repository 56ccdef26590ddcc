#include "device/adapter_list.h"

#include "device/usb_port.h"

#include <algorithm>
#include <charconv>

namespace {

// A decimal number of one to three digits, as the USB folder and file names
// and the numbers the user gives are; USB numbers never exceed 255.
std::optional<int> usbNumber(std::string_view text)
{
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || text.size() > 3 || error != std::errc{} || end != text.data() + text.size() ||
        text.front() == '-')
        return std::nullopt;
    return number;
}

}  // namespace

std::vector<AdapterNode> adaptersAmong(const std::vector<SeenDevice>& devices)
{
    std::vector<AdapterNode> adapters;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const SeenDevice& d = devices[i];
        if (d.id.vendor != adapter::VendorId || d.id.product != adapter::ProductId) continue;
        const auto [bus, device] = addressTextOf(d);
        adapters.push_back({i, {usbNumber(bus).value_or(0), usbNumber(device).value_or(0)}, deviceNodeOf(d)});
    }
    return adapters;
}

bool AdapterChoice::names(const AdapterNode& node) const
{
    return address ? node.address == *address : !port.empty() && node.port == port;
}

AdapterChoice AdapterChoice::of(const AdapterNode& node)
{
    return node.port.empty() ? AdapterChoice(node.address) : AdapterChoice(node.port);
}

std::optional<AdapterNode> chooseAdapter(const std::vector<AdapterNode>& adapters,
                                         const std::optional<AdapterChoice>& choice)
{
    const auto chosen = std::find_if(adapters.begin(), adapters.end(),
                                     [&](const AdapterNode& a) { return !choice || choice->names(a); });
    if (chosen == adapters.end()) return std::nullopt;
    return *chosen;
}

AdapterPick pickAdapter(const std::vector<AdapterNode>& adapters, const std::optional<AdapterChoice>& choice,
                        const std::optional<AdapterNode>& opened, std::size_t mostSeen)
{
    if (!opened) return {chooseAdapter(adapters, choice)};
    if (!opened->port.empty()) {
        const auto same = std::find_if(adapters.begin(), adapters.end(),
                                       [&](const AdapterNode& a) { return a.port == opened->port; });
        if (same != adapters.end()) return {*same};
    }
    // An adapter the user chose is the choice for as long as the program
    // runs: no other stands in for it, however few the bus has held.
    if (!choice && adapters.size() == 1 && mostSeen <= 1) return {adapters.front()};
    return {std::nullopt, !adapters.empty()};
}

std::optional<AdapterAddress> parseAdapterAddress(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto bus = usbNumber(text.substr(0, colon));
    const auto device = usbNumber(text.substr(colon + 1));
    if (!bus || !device) return std::nullopt;
    return AdapterAddress{*bus, *device};
}

std::optional<AdapterChoice> parseAdapterChoice(std::string_view text)
{
    if (const auto address = parseAdapterAddress(text)) return AdapterChoice(*address);
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos || !usbNumber(text.substr(0, dash))) return std::nullopt;
    std::string_view ports = text.substr(dash + 1);
    for (int count = 1; count <= 7; ++count) {
        const std::size_t dot = ports.find('.');
        if (!usbNumber(ports.substr(0, dot))) return std::nullopt;
        if (dot == std::string_view::npos) return AdapterChoice(std::string(text));
        ports.remove_prefix(dot + 1);
    }
    return std::nullopt;
}
