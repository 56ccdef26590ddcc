// What the catcher does alike on every system; the catching itself is in
// signals_posix.cpp and signals_windows.cpp.
#include "interrupts/signals.h"

#include <memory>

namespace interrupts {

void SignalCatcher::holdFromNowOn()
{
    if (!held_) held_ = std::make_unique<Deferral>();
}

StopRequest SignalCatcher::stopRequest()
{
    return StopRequest([this] { holdFromNowOn(); }, [this] { return caught(); });
}

}  // namespace interrupts
