#pragma once
// SIGTERM (a session logout), SIGINT and SIGHUP for the desktop program: the
// group under way is finished (interrupts.h), no other is begun, and then the
// program ends as it ends when its window is closed, with status 0.

class QObject;

// Takes the signals from now on; `owner` (the application) owns what wakes
// the event loop when one arrives.
void endOnSignals(QObject& owner);
