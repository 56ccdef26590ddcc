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

// Runs `action`. First, if the adapter was lost, the bus is walked again; if
// the adapter is not there, the user is told and nothing is sent. If the
// adapter goes away during the action, the action ends at once, the controls
// of `window` get back what they showed before it began (so the user's
// entries are kept), and one message says what happened. Returns whether the
// action ran to its end.
bool runAdapterAction(const Context& context, QWidget* window, const std::function<void()>& action);
