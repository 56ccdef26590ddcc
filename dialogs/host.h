#pragma once
// What a window receives from start-up: the vendor link to the adapter and
// the host services it shows things with. Tests give their own host, so a
// whole flow runs without a blocking modal loop.

#include "interrupts/stop_request.h"

#include <QString>

#include <string>

class AdapterConnection;
namespace settings {
struct StartUp;
}
class QDialog;
class VendorLink;

class Host {
public:
    virtual ~Host() = default;
    // A modal message box with one text and an OK button.
    virtual void showMessage(const QString& text) = 0;
    // Shows `dialog` modally; returns when it is closed.
    virtual void showModal(QDialog& dialog) = 0;
    // Pauses between requests, e.g. between a write and its read-back.
    virtual void pause(int ms) = 0;
    // A file to save to (the user has agreed to replace an existing one) or
    // to load from, the chooser opening in `folder` (empty: the working
    // folder); empty when the user cancels.
    virtual QString chooseFile(bool forSaving, const QString& caption, const QString& folder)
    {
        (void)forSaving;
        (void)caption;
        (void)folder;
        return {};
    }
    // A message box with OK and a second button, `choice`: true when the
    // user chose that button.
    virtual bool tellWithChoice(const QString& text, const QString& choice)
    {
        (void)choice;
        showMessage(text);
        return false;
    }
    // A question answered Yes (true) or No.
    virtual bool ask(const QString& text)
    {
        (void)text;
        return false;
    }
};

struct Context {
    VendorLink& link;
    Host& host;
    // Looks for the adapter again after it was lost; without one (a link
    // straight to a transport) nothing is looked for.
    AdapterConnection* connection = nullptr;
    // What the firmware answered at start-up; set once start-up has run.
    const settings::StartUp* startUp = nullptr;
    // Asked by a job between the groups it writes, and before an action
    // begins: once a signal asks the program to end, nothing new begins.
    interrupts::StopRequest stop = {};
    // The emulated adapter's demo file, which names its record; empty: none.
    std::string demoFile{};
};
