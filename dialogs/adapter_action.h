#pragma once
// One action of the user that talks to the adapter: a menu item of the main
// window, or Save, Cancel or Reload in a dialog.

#include "dialogs/host.h"

#include <QString>

#include <functional>

class QWidget;

// A text about the adapter's connection, as start-up and runAdapterAction
// show it: in the user's language when it is one of the fixed texts, as
// given otherwise.
QString adapterText(const char* text);

// Whether an action talks to the adapter now. While one does, nothing else
// may: the event loop runs during its requests and its messages (so the
// windows stay painted), but a second action is not started and the Adapter
// menu does not walk the bus.
bool adapterInUse();

// Runs `then` once no action talks to the adapter: at once when none does,
// else as the one running ends (once, however often it was asked for).
void whenAdapterFree(const void* asker, std::function<void()> then);
// Drops what `asker` left waiting (it is going away).
void forgetWhenAdapterFree(const void* asker);

// Marks the adapter as in use for as long as it lives.
class AdapterInUse {
public:
    AdapterInUse();
    ~AdapterInUse();
    AdapterInUse(const AdapterInUse&) = delete;
    AdapterInUse& operator=(const AdapterInUse&) = delete;
};

// Runs `action`, unless another action talks to the adapter (then nothing
// runs and it returns false). First, if the adapter was lost, the bus is walked again; if
// the adapter is not there, the user is told and nothing is sent. If the
// adapter goes away during the action, the action ends at once, the controls
// of `window` get back what they showed before it began (so the user's
// entries are kept), and one message says what happened. Returns whether the
// action ran to its end.
bool runAdapterAction(const Context& context, QWidget* window, const std::function<void()>& action);
