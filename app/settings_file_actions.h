#pragma once
// The main window's "&File" menu: every group the firmware has saved to a
// settings file, and a settings file put onto the adapter.

#include "app/eeprom_set.h"

class QMenu;

// Reads every group (each as its dialog reads it) and the firmware version,
// and writes them to a file the user chooses, whole or not at all.
void saveSettingsToFile(const Context& context, const TForm7::Dialogs& dialogs);

// Checks the whole file the user chooses, reads the adapter's settings, shows
// what would change field by field and asks; then saves the adapter's
// settings to an automatic backup, writes the groups that differ with their
// Save streams, and tells what the adapter did not take.
void loadSettingsFromFile(const Context& context, const TForm7::Dialogs& dialogs);

// The same for the file at `path`, chosen elsewhere (an automatic backup).
void loadSettingsFile(const Context& context, const TForm7::Dialogs& dialogs, const QString& path);

// Fills `menu` with the newest automatic backups, newest first, each named
// by its date and time, and an item that opens the file chooser in their
// folder; choosing one loads it as loadSettingsFile does.
void fillAutomaticBackupsMenu(QMenu& menu, const Context& context, const TForm7::Dialogs& dialogs);
