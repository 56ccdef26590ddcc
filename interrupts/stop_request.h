#pragma once
// How a job that writes to the adapter learns that it is asked to stop. The
// front end that takes the signals (SignalCatcher, signals.h) hands one to
// the job; a job given none is never stopped. The job asks between its
// groups, finishes the group under way, and returns the signal that stopped
// it; the front end tells the result and ends by that signal.

#include <functional>
#include <utility>

namespace interrupts {

class StopRequest {
public:
    StopRequest() = default;
    // `writing`: the job begins to write; from then on a signal is only
    // noted, so that the group under way is finished and the result told.
    // `asked`: the signal that asks the job to stop, or 0.
    StopRequest(std::function<void()> writing, std::function<int()> asked)
        : writing_(std::move(writing)), asked_(std::move(asked))
    {}

    void writesBegin() const
    {
        if (writing_) writing_();
    }
    int asked() const { return asked_ ? asked_() : 0; }

private:
    std::function<void()> writing_;
    std::function<int()> asked_;
};

}  // namespace interrupts
