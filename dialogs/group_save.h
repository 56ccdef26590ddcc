#pragma once
// A dialog's Save, run and told the same way in every dialog: the dialog
// reads its controls and shows the group; the group Save job
// (settings_file/save_job.h) writes, keeps the record and judges.

#include "dialogs/host.h"
#include "settings_file/save_job.h"

#include <QString>

#include <functional>

class QWidget;

namespace notread {
class Report;
}

// How far the writes of a group came before a loss: the values (by their
// labels in `dialog`) that reached the adapter, the one that may have, and
// those never sent, one line each.
QString howFarText(const settings::CutWrite& cut, const QWidget* dialog);

// Runs the Save of `group` for `dialog`, which last read `held` from the
// adapter: `take` gives the values its controls hold (and tells what it
// refuses); after the writes and the read-back, `show` shows the group. Then
// the outcome is told: what the adapter did not take, a loss in the middle
// of the writes, an adapter found again that holds other settings, a record
// that could not be kept.
void runGroupSave(const Context& context, QWidget& dialog, settings::Group group, const settings::Snapshot& held,
                  const std::function<settings::Snapshot(notread::Report&)>& take,
                  const std::function<void(const settings::GroupSaveOutcome&, notread::Report&)>& show);
