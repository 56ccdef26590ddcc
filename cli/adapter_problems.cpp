#include "cli/adapter_problems.h"

#include "device/shown_text.h"

std::string holderText(const AdapterHolder& holder)
{
    if (!holder.process) return {};
    const std::string process = "process " + std::to_string(*holder.process);
    return holder.name.empty() ? process : holder.name + " (" + process + ")";
}

std::string inUseText(const AdapterHolder& holder)
{
    const std::string who = holderText(holder);
    return "The DV Brisel (Relavox) is in use by another program" + (who.empty() ? std::string() : ", " + who) +
           ".\n\nNothing was sent to it. Try again when that program has finished.";
}

std::string adapterPlace(const AdapterNode& node)
{
    return (node.port.empty() ? "at an unknown USB port" : "at USB port " + node.port) + " (device " +
           std::to_string(node.address.bus) + ":" + std::to_string(node.address.device) + ")";
}

std::string adapterLines(const std::vector<AdapterNode>& seen)
{
    std::string lines;
    for (const AdapterNode& node : seen) lines += "\n  " + adapterPlace(node);
    return lines;
}

std::string notAtDeviceText(std::string_view given)
{
    return "No DV Brisel (Relavox) at " + shown::clipped(given) + ".";
}

std::string goneText(const AdapterProblem& problem)
{
    using Kind = AdapterProblem::Kind;
    switch (problem.kind) {
    case Kind::NotFound: break;
    case Kind::NotAtDevice: return notAtDeviceText(problem.device);
    case Kind::NoPermission:
        return "The DV Brisel (Relavox) was found, but it cannot be opened: no permission to use the USB device.\n\n"
               "See \"Access to the adapter\" in the README.";
    case Kind::NodeMissing:
        return "The DV Brisel (Relavox) is on the USB bus, but its device node " + problem.node +
               " is missing: it was unplugged just now, or this system has no /dev/bus/usb "
               "(a container needs the adapter's device node given to it).";
    case Kind::InUse: return inUseText(problem.holder);
    case Kind::Lost:
        return "The DV Brisel (Relavox) is no longer connected.\n\nNothing more was sent to it, and the dialog still "
               "shows what you entered. Plug the adapter in again: the program finds it the next time you choose a "
               "menu item.";
    case Kind::OtherAdapter: {
        const AdapterNode lost = problem.lost.value_or(AdapterNode{});
        return "The DV Brisel (Relavox) in use, " + adapterPlace(lost) +
               ", is no longer connected.\n\nNothing was sent: the program does not change to another adapter by "
               "itself. Adapters connected now:" +
               adapterLines(problem.seen) + "\n\nPlug the adapter in again" +
               (lost.port.empty() ? "" : " at USB port " + lost.port) +
               ": the program finds it the next time you choose a menu item. To use another adapter, start the "
               "program again.";
    }
    }
    return "Does not find the DV Brisel (Relavox)";
}
