#pragma once
// One action of the user that talks to the adapter: a menu item of the main
// window, or Save, Cancel or Reload in a dialog.

#include "device/adapter_connection.h"
#include "dialogs/host.h"

#include <QString>

#include <functional>

class QWidget;

// The fixed texts about the adapter's connection, as the translations hold them.
inline constexpr const char* NotFoundText = "Does not find the DV Brisel (Relavox)";
inline constexpr const char* NoPermissionText =
    "The DV Brisel (Relavox) was found, but it cannot be opened: "
    "no permission to use the USB device.\n\n"
    "See \"Access to the adapter\" in the README.";
inline constexpr const char* NodeMissingText =
    "The DV Brisel (Relavox) is on the USB bus, but its device node is missing: "
    "it was unplugged just now, or this system has no /dev/bus/usb.\n\n"
    "Plug the adapter in again; in a container, give it the adapter's device node.";
inline constexpr const char* LostText =
    "The DV Brisel (Relavox) is no longer connected.\n\n"
    "Nothing more was sent to it, and the dialog still shows what you entered. "
    "Plug the adapter in again: the program finds it the next time you choose "
    "a menu item.";
// The same, for an action of the main window, where no dialog shows entries.
inline constexpr const char* LostOutsideDialogText =
    "The DV Brisel (Relavox) is no longer connected.\n\n"
    "Nothing more was sent to it. Plug the adapter in again: the program finds it the next time you choose "
    "a menu item.";

// Who holds an adapter: "brisel-ctl (process 1234)" in the user's
// language; empty when nothing is known.
QString holderText(const AdapterHolder& holder);

// Why the adapter cannot be used, in the user's language, as start-up, the
// Adapter menu and runAdapterAction show it.
QString adapterText(const AdapterProblem& problem);

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

// Where an adapter is, as the messages say it: "at USB port 1-1 (device 1:2)".
QString adapterPlace(const AdapterNode& node);

// The dynamic property of a window that notes which finding of the adapter
// (AdapterConnection::timesFoundAgain) its last action that ran to its end
// talked to: what the window shows was read from that one.
inline constexpr const char* FoundProperty = "adapterFound";

// Runs `action`, unless another action talks to the adapter (then nothing
// runs and it returns false), or once a signal asked the program to end
// (context.stop). First, if the adapter was lost, the bus is walked again; if
// the adapter is not there, the user is told and nothing is sent. If the
// adapter goes away during the action, the action ends at once, the controls
// of `window` get back what they showed before it began (so the user's
// entries are kept), and one message says what happened: the text
// `lossText` gives for the loss, else (empty) the connection's. Returns
// whether the action ran to its end.
bool runAdapterAction(const Context& context, QWidget* window, const std::function<void()>& action,
                      const std::function<QString(const AdapterProblem&)>& lossText = {});
