#pragma once
// A host for tests: records messages and modal showings, logs pauses into
// the emulator's request log, and lets a test act while a dialog is "shown".

#include "dialogs/host.h"
#include "emulator/emulator.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

class RecordingHost final : public Host {
public:
    explicit RecordingHost(emu::Emulator& emulator) : emulator_(emulator) {}

    void showMessage(const QString& text) override
    {
        messages.push_back(text);
        if (onMessage) onMessage();
    }
    void showModal(QDialog& dialog) override
    {
        shown.push_back(dialog.windowTitle());
        if (whileShown) {
            // Run the script against the dialog the way a user would, then
            // the dialog's modal showing ends.
            auto script = std::move(whileShown);
            whileShown = nullptr;
            dialog.show();
            script(dialog);
            dialog.hide();
        }
    }
    void pause(int ms) override
    {
        emulator_.recordPause(ms);
        if (whilePausing) std::exchange(whilePausing, nullptr)();
    }
    QString chooseFile(bool, const QString&, const QString& folder) override
    {
        chooserFolders.push_back(folder);
        return fileToChoose;
    }
    bool tellWithChoice(const QString& text, const QString& choice) override
    {
        messages.push_back(text);
        choices.push_back(choice);
        return takeChoice;
    }
    bool ask(const QString& text) override
    {
        asked.push_back(text);
        return answer;
    }

    QStringList messages;
    QStringList shown;           // window titles, in order
    QString fileToChoose;        // what a file chooser returns
    QStringList chooserFolders;  // the folder each chooser opened in
    bool answer = true;          // how every question is answered
    QStringList asked;
    QStringList choices;      // the second button of each message that had one
    bool takeChoice = false;  // whether that button is chosen
    // Runs once, during the next modal showing.
    std::function<void(QDialog&)> whileShown;
    // Runs at each message, as it is shown.
    std::function<void()> onMessage;
    // Runs once, during the next pause between requests.
    std::function<void()> whilePausing;

private:
    emu::Emulator& emulator_;
};
