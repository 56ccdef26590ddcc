#pragma once
// SIGTERM (a session logout), SIGINT and SIGHUP for the desktop program: the
// group under way is finished, no other is begun, every open box is closed
// as its Cancel or No closes it, no new box is shown (what the action would
// have shown goes to standard error), and then the program ends as it ends
// when its window is closed, with status 0.

#include "interrupts/stop_request.h"

class QObject;

// Takes the signals for as long as `owner` (the application) lives; returns
// the stop request File > Load's job asks between its groups.
interrupts::StopRequest endOnSignals(QObject& owner);

// Whether a signal has asked the program to end: no box is shown from then
// on, and an answer given after it counts as Cancel or No.
bool endingOnSignal();

// A request to the adapter or a pause between requests, for as long as it
// lives: the program ends only when none is under way. Held around them
// alone, never around a box, which may stay open for ever.
class RequestUnderWay {
public:
    RequestUnderWay();
    ~RequestUnderWay();
    RequestUnderWay(const RequestUnderWay&) = delete;
    RequestUnderWay& operator=(const RequestUnderWay&) = delete;
};
