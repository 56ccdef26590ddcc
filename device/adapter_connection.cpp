#include "device/adapter_connection.h"

#include <algorithm>

void AdapterConnection::reconnectIfLost()
{
    if (current_ != nullptr) return;
    AdapterAccess access = reopen_ ? reopen_() : AdapterAccess{};
    if (access.status != OpenStatus::Opened || access.transport == nullptr) throw AdapterGone(accessProblem(access));
    current_ = std::move(access.transport);
    if (access.adapter) adapter_ = access.adapter;
    if (opened_) ++foundAgain_;
    opened_ = true;
}

AdapterConnection::Held AdapterConnection::exchange(Held next)
{
    Held before{std::move(current_), std::move(reopen_), std::move(adapter_)};
    current_ = std::move(next.transport);
    reopen_ = std::move(next.reopen);
    adapter_ = std::move(next.adapter);
    opened_ = opened_ || current_ != nullptr;
    return before;
}

AdapterProblem accessProblem(const AdapterAccess& access)
{
    using Kind = AdapterProblem::Kind;
    AdapterProblem problem;
    switch (access.status) {
    case OpenStatus::NotFound: problem.kind = Kind::NotFound; break;
    case OpenStatus::InUse:
        problem.kind = Kind::InUse;
        problem.holder = access.holder;
        break;
    case OpenStatus::OtherAdapter:
        problem.kind = Kind::OtherAdapter;
        problem.lost = access.lost;
        problem.seen = access.seen;
        break;
    case OpenStatus::NodeMissing:
        problem.kind = Kind::NodeMissing;
        problem.node = access.node;
        break;
    case OpenStatus::NoPermission:
    case OpenStatus::Opened:  // opened without a transport: of no use either
        problem.kind = Kind::NoPermission;
        problem.node = access.node;
        break;
    }
    return problem;
}

int AdapterConnection::controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                                      std::uint16_t index, std::uint8_t* data, int length, int timeoutMs)
{
    reconnectIfLost();
    const int result = current_->controlRequest(requestType, request, value, index, data, length, timeoutMs);
    if (result == DeviceGoneResult) {
        // The handle of a device that is gone is of no more use: dropping
        // it closes it.
        current_.reset();
        throw AdapterGone({AdapterProblem::Kind::Lost});
    }
    return result;
}

namespace {

// The most adapters one walk found, and the adapter opened last.
struct Tracker {
    std::optional<AdapterChoice> choice;
    std::optional<AdapterNode> opened;
    std::size_t mostSeen = 0;
};

}  // namespace

namespace {

AdapterOpener openerWith(std::function<AdapterWalk()> walk, std::shared_ptr<Tracker> tracker)
{
    return [walk = std::move(walk), tracker = std::move(tracker)] {
        const AdapterWalk found = walk();
        tracker->mostSeen = std::max({tracker->mostSeen, found.adapters.size(), found.mostSeen});
        const AdapterPick pick = pickAdapter(found.adapters, tracker->choice, tracker->opened, tracker->mostSeen);
        AdapterAccess access;
        if (pick.othersOnly) {
            access.status = OpenStatus::OtherAdapter;
            access.lost = tracker->opened;
            access.seen = found.adapters;
        }
        if (!pick.node) return access;
        access = found.open(*pick.node);
        if (access.status == OpenStatus::Opened) tracker->opened = access.adapter = *pick.node;
        return access;
    };
}

}  // namespace

AdapterOpener trackingOpener(std::function<AdapterWalk()> walk, std::optional<AdapterChoice> choice)
{
    return openerWith(std::move(walk), std::make_shared<Tracker>(Tracker{std::move(choice), std::nullopt, 0}));
}

AdapterOpener trackingOpenerFrom(std::function<AdapterWalk()> walk, const AdapterNode& opened, std::size_t seen)
{
    return openerWith(std::move(walk), std::make_shared<Tracker>(Tracker{AdapterChoice::of(opened), opened, seen}));
}

std::function<AdapterWalk()> rememberingWalk(std::function<AdapterWalk()> walk)
{
    auto most = std::make_shared<std::size_t>(0);
    return [walk = std::move(walk), most] {
        AdapterWalk found = walk();
        *most = std::max(*most, found.adapters.size());
        found.mostSeen = *most;
        return found;
    };
}
