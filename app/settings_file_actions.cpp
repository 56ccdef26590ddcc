#include "app/settings_file_actions.h"

#include "device/shown_text.h"
#include "dialogs/adapter_action.h"
#include "dialogs/basicinfo.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/group_save.h"
#include "dialogs/not_read.h"
#include "dialogs/not_taken.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/save_record.h"
#include "dialogs/setting_controls.h"
#include "dialogs/store_problem_text.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "settings_file/backup_job.h"
#include "settings_file/file_fields.h"
#include "settings_file/restore_job.h"
#include "settings_file/settings_store.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QScopeGuard>

#include <optional>

namespace {

// The context of this file's texts in the translations.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(SettingsFileActions)
};

// The newest backups the menu offers directly; the rest are reached
// through the file chooser.
constexpr std::size_t NewestBackupsShown = 10;

// Text from the core that may quote a path (from HOME or XDG_STATE_HOME) or
// a key of a file, control characters escaped as everywhere else.
QString text(const std::string& s)
{
    return QString::fromStdString(shown::linesFromUtf8(s));
}

// The dialog that shows the values of `group`; none when the firmware
// lacks the group.
const QWidget* dialogOf(const TForm7::Dialogs& dialogs, settings::Group group)
{
    switch (group) {
    case settings::Group::Basic: return dialogs.basicDialog;
    case settings::Group::Repeater: return dialogs.repeaterDialog;
    case settings::Group::SlowData: return dialogs.slowDataDialog;
    case settings::Group::Beacon: return dialogs.beaconDialog;
    case settings::Group::SerialPort: return dialogs.serialPortDialog;
    }
    return nullptr;
}

// A value by the label of the field that shows it.
QString labelOf(const TForm7::Dialogs& dialogs, const std::string& key)
{
    const auto group = settings::groupOfKey(key);
    return valueLabel(group ? dialogOf(dialogs, *group) : nullptr, key);
}

// The values the adapter did not answer for, and what became of the job.
void tellNotRead(const Context& context, const TForm7::Dialogs& dialogs, const std::vector<std::string>& keys,
                 const char* consequence)
{
    QString message = Texts::tr("The adapter did not answer for these settings, so %1:").arg(Texts::tr(consequence));
    for (const std::string& key : keys) message += QStringLiteral("\n  ") + labelOf(dialogs, key);
    context.host.showMessage(message);
}

// A number with the unit the file's key names, as the dialogs write units.
QString withUnit(std::uint32_t number, const std::string& key)
{
    const settings::file::Field* field = settings::file::findField(key);
    const std::string unit = field != nullptr && field->unit != nullptr ? field->unit : "";
    if (unit == "ms") return Texts::tr("%1 ms").arg(number);
    if (unit == "s") return Texts::tr("%1 s").arg(number);
    if (unit == "bits") return Texts::tr("%1 bits").arg(number);
    return QString::number(number);
}

// One value of the file that may not be written, named by its field.
QString problemText(const TForm7::Dialogs& dialogs, const settings::PlanProblem& p)
{
    using Kind = settings::PlanProblem::Kind;
    const QString label = labelOf(dialogs, p.key);
    switch (p.kind) {
    case Kind::ControlCharacter:
        return Texts::tr("%1 holds the control character %2; a text holds none from 0x00 to 0x1F or 0x7F to 0x9F.")
            .arg(label, QString::asprintf("0x%02X", unsigned(p.code)));
    case Kind::BeyondRange:
        return Texts::tr(
                   "%1: %2 is outside 0 to %3; a value beyond is kept only where the adapter holds it "
                   "already, and it holds %4.")
            .arg(label, text(p.value), withUnit(p.max, p.key), p.held ? text(*p.held) : Texts::tr("(not read)"));
    case Kind::SquelchNeedsCos: break;
    case Kind::CosNeedsSquelch:
        return Texts::tr("%1 = OFF needs %2 above 0; the adapter holds %2 = 0.")
            .arg(label, labelOf(dialogs, p.otherKey));
    }
    const QString cos = labelOf(dialogs, p.otherKey);
    switch (p.other) {
    case settings::PlanProblem::Other::Adapter:
        return Texts::tr("%1 = 0 needs %2 = ON; the adapter holds %2 = OFF.").arg(label, cos);
    case settings::PlanProblem::Other::FileLine:
        return Texts::tr("%1 = 0 needs %2 = ON; line %3 sets %2 = OFF.").arg(label, cos, QString::number(p.otherLine));
    case settings::PlanProblem::Other::CommandLine: break;
    }
    return Texts::tr("%1 = 0 needs %2 = ON.").arg(label, cos);
}

// The file's problems, each on a line of its own after the file's name and
// line.
QString problemList(const TForm7::Dialogs& dialogs, const std::vector<settings::PlanProblem>& problems,
                    const QString& path)
{
    QString list;
    for (const settings::PlanProblem& p : problems) {
        const QString where =
            p.line > 0 ? QStringLiteral("%1:%2").arg(text(path.toStdString())).arg(p.line) : text(path.toStdString());
        list += QStringLiteral("\n  %1: %2").arg(where, problemText(dialogs, p));
    }
    return list;
}

QString changeList(const TForm7::Dialogs& dialogs, const std::vector<settings::FieldChange>& changes)
{
    QString list;
    for (const settings::FieldChange& c : changes) {
        const auto group = settings::groupOfKey(c.key);
        const QWidget* dialog = group ? dialogOf(dialogs, *group) : nullptr;
        list += QStringLiteral("\n  %1: %2 -> %3")
                    .arg(labelOf(dialogs, c.key), shownValue(c.key, c.shownFrom, dialog),
                         shownValue(c.key, c.shownTo, dialog));
    }
    return list;
}

void tellOutcome(const Context& context, const TForm7::Dialogs& dialogs, const settings::Restore& restore)
{
    if (restore.notTaken.empty()) {
        context.host.showMessage(Texts::tr("The adapter now holds the settings of the file."));
        return;
    }
    // Each value under the label of the control that shows it.
    notread::Report report;
    for (settings::Group group : settings::AllGroups) {
        std::vector<settings::ValueNotTaken> values;
        for (const settings::ValueNotTaken& value : restore.notTaken)
            if (settings::groupOfKey(value.key) == group) values.push_back(value);
        reportNotTaken(values, dialogOf(dialogs, group), report);
    }
    context.host.showMessage(report.text());
}

// The adapter was lost while the file's groups were written: what was
// written, what partly (how far its writes came) and which values were
// never sent.
QString lossText(const TForm7::Dialogs& dialogs, const settings::Restore& restore)
{
    QStringList written;
    for (const auto& [group, changes] : restore.written) written << groupTitle(group);
    QString text =
        Texts::tr("Written completely before the adapter was lost: %1.%2")
            .arg(written.isEmpty() ? Texts::tr("nothing") : notread::listOf(written),
                 restore.lostDuring
                     ? Texts::tr(" Partly written: %1; load the file again.").arg(groupTitle(*restore.lostDuring))
                     : QString());
    if (!restore.notSent.empty()) {
        QStringList notSent;
        for (const std::string& key : restore.notSent) notSent << labelOf(dialogs, key);
        text += Texts::tr("\nNot sent: %1.").arg(notread::listOf(notSent));
    }
    if (restore.cut && !restore.cut->whole())
        text += QStringLiteral("\n\n") + howFarText(*restore.cut, dialogOf(dialogs, restore.cut->group)) +
                QStringLiteral("\n\n") +
                Texts::tr(
                    "Until %1 is written completely, the record of the Load stays, and the program tells of "
                    "it when it starts.")
                    .arg(groupTitle(restore.cut->group));
    return Texts::tr("The DV Brisel (Relavox) is no longer connected; nothing more was sent to it.") +
           QStringLiteral("\n\n") + text;
}

// A signal stopped the writing once the group under way was finished: the
// program is to end, and says how far the file came.
void tellInterrupted(const Context& context, const settings::Restore& restore)
{
    QStringList written, notBegun;
    for (const auto& [group, changes] : restore.written) written << groupTitle(group);
    for (settings::Group group : restore.notBegun) notBegun << groupTitle(group);
    context.host.showMessage(Texts::tr("The program was asked to end, so the file was loaded only in part. "
                                       "Written completely: %1. Not written: %2; load the file again.")
                                 .arg(notread::listOf(written), notread::listOf(notBegun)));
}

// The record of a File > Load cannot be kept: nothing is written.
void tellNoRecord(const Context& context, const settings::StoreError& error)
{
    context.host.showMessage(Texts::tr("No record of the write can be kept, so nothing was written: %1")
                                 .arg(storeProblemText(error.problem())));
}

}  // namespace

void saveSettingsToFile(const Context& context, const TForm7::Dialogs& dialogs)
{
    const QString path = context.host.chooseFile(true, Texts::tr("Save settings to file"), QString());
    if (path.isEmpty()) return;
    settings::BackupSteps steps;
    steps.readSerialPortAgain = true;
    steps.path = path.toStdString();
    steps.replace = true;
    using Stage = settings::BackupOutcome::Stage;
    settings::BackupOutcome outcome;
    if (!runAdapterAction(context, nullptr, [&] {
            BusyCursor busy;
            settings::backupSettings(context.link, *context.startUp, steps, outcome);
        }))
        return;
    switch (outcome.stage) {
    case Stage::NotRead:
        // A file must not miss a value.
        tellNotRead(context, dialogs, outcome.notRead,
                    QT_TRANSLATE_NOOP("SettingsFileActions", "the file was not written"));
        break;
    case Stage::SaveFailed:
        context.host.showMessage(
            Texts::tr("The file was not written: %1").arg(storeProblemText(outcome.saveError->problem())));
        break;
    case Stage::Saved:
        context.host.showMessage(Texts::tr("The adapter's settings were saved to %1.").arg(text(path.toStdString())));
        break;
    default: break;
    }
}

void loadSettingsFromFile(const Context& context, const TForm7::Dialogs& dialogs)
{
    const QString path = context.host.chooseFile(false, Texts::tr("Load settings from file"), QString());
    if (path.isEmpty()) return;
    loadSettingsFile(context, dialogs, path);
}

void fillAutomaticBackupsMenu(QMenu& menu, const Context& context, const TForm7::Dialogs& dialogs)
{
    menu.clear();
    std::string folder;
    std::vector<settings::AutomaticBackup> backups;
    try {
        folder = settings::automaticBackupFolder();
        backups = settings::automaticBackups(folder);
    } catch (const settings::StoreError&) {
        // No home folder: no backups, and nowhere to look for them.
    }
    if (backups.empty()) menu.addAction(Texts::tr("No automatic backup yet"))->setEnabled(false);
    for (std::size_t i = 0; i < backups.size() && i < NewestBackupsShown; ++i) {
        const settings::AutomaticBackup& backup = backups[i];
        QString label = QStringLiteral("%1  %2").arg(text(backup.date), text(backup.time));
        if (backup.number > 1) label += QStringLiteral(" (%1)").arg(backup.number);
        const QString path = QString::fromStdString(backup.path);
        QObject::connect(menu.addAction(label), &QAction::triggered, &menu,
                         [context, dialogs, path] { loadSettingsFile(context, dialogs, path); });
    }
    menu.addSeparator();
    QAction* all = menu.addAction(Texts::tr("&All automatic backups..."));
    all->setEnabled(!folder.empty());
    QObject::connect(all, &QAction::triggered, &menu, [context, dialogs, folder = QString::fromStdString(folder)] {
        const QString path = context.host.chooseFile(false, Texts::tr("Load an automatic backup"), folder);
        if (!path.isEmpty()) loadSettingsFile(context, dialogs, path);
    });
}

void loadSettingsFile(const Context& context, const TForm7::Dialogs& dialogs, const QString& path)
{
    settings::FileContents contents;
    std::string folder;
    try {
        contents = settings::loadSettingsFile(path.toStdString());
        folder = settings::automaticBackupFolder();
    } catch (const settings::StoreError& error) {
        context.host.showMessage(
            Texts::tr("The file cannot be loaded; nothing was written.\n\n%1").arg(storeProblemText(error.problem())));
        return;
    }

    // The record of the write is judged before any request: without one,
    // nothing is sent.
    settings::RestoreSteps steps;
    try {
        steps.recordPath = recordPathOf(context);
    } catch (const settings::StoreError& error) {
        tellNoRecord(context, error);
        return;
    }
    steps.adapter = recordAdapterOf(context);
    steps.recordJob = settings::RecordJob::Load;
    // The program's own record or automatic backup goes back exactly as the
    // adapter held it.
    steps.exact = contents.ownCopy.has_value();
    steps.readSerialPortAgain = true;
    steps.stop = context.stop;
    steps.goAhead = [&](const settings::RestorePlan& plan) {
        QString question = Texts::tr("Loading the file changes these settings in the adapter:%1")
                               .arg(changeList(dialogs, plan.changes));
        // The program's own copy of another adapter: asked first.
        if (contents.ownCopy && !settings::sameAdapter(contents.ownCopy->adapter, steps.adapter))
            question = (contents.ownCopy->kind == settings::OwnCopy::Kind::Record
                            ? Texts::tr("This file is the record of a write onto another adapter, not onto the one "
                                        "in use. Loading it here puts that adapter's settings onto this one.")
                            : Texts::tr("This file is the automatic backup of another adapter, not of the one in "
                                        "use. Loading it here puts that adapter's settings onto this one.")) +
                       QStringLiteral("\n\n") + question;
        if (plan.fixedFlagBits)
            question += Texts::tr("\n\nBits 7 and 4 of the flag byte cannot be changed; they stay as they are.");
        question += Texts::tr(
                        "\n\nThe adapter's present settings are saved first, in %1.\n\nWrite the changes "
                        "to the adapter?")
                        .arg(text(folder));
        return context.host.ask(question);
    };
    steps.backupFolder = folder;

    // A stop request comes at a logout, when no one may read the result:
    // the record then stays unless every group was written.
    steps.keepIfStopped = true;
    std::optional<BusyCursor> busy;
    // Told while the job keeps the record of the write.
    steps.told = [&](const settings::RestoreOutcome& outcome) {
        busy.reset();
        // The serial port dialog shows what it read when it was built; it
        // shows the adapter's values again.
        if (dialogs.serialPortDialog != nullptr && outcome.restore.after.serialPort) {
            notread::Report ignored;
            dialogs.serialPortDialog->showGroup(*outcome.restore.after.serialPort, ignored);
        }
        if (outcome.restore.interruptedBy != 0) tellInterrupted(context, outcome.restore);
        else tellOutcome(context, dialogs, outcome.restore);
    };

    using Stage = settings::RestoreOutcome::Stage;
    settings::RestoreOutcome outcome;
    const bool ran = runAdapterAction(
        context, nullptr,
        [&] {
            busy.emplace();
            const auto idle = qScopeGuard([&] { busy.reset(); });
            settings::restoreFile(
                context.link, [&](int ms) { context.host.pause(ms); }, *context.startUp, contents, steps, outcome);
        },
        [&](const AdapterProblem&) {
            return outcome.stage == Stage::Writing ? lossText(dialogs, outcome.restore) : QString();
        });
    if (!ran) return;
    switch (outcome.stage) {
    case Stage::Lacking: {
        QStringList names;
        for (const settings::Lacking& lack : outcome.lacking)
            names << (lack.group ? groupTitle(*lack.group) : labelOf(dialogs, lack.key));
        context.host.showMessage(Texts::tr("The adapter's firmware lacks %1, which the file holds. "
                                           "Nothing was written.")
                                     .arg(notread::listOf(names)));
        break;
    }
    case Stage::NotRead:
        tellNotRead(context, dialogs, outcome.notRead, QT_TRANSLATE_NOOP("SettingsFileActions", "nothing was written"));
        break;
    case Stage::Problems:
        context.host.showMessage(Texts::tr("The file's settings cannot be written:%1\n\nNothing was written.")
                                     .arg(problemList(dialogs, outcome.plan.problems, path)));
        break;
    case Stage::NothingToChange:
        context.host.showMessage(Texts::tr("The adapter already holds the settings of the file."));
        break;
    case Stage::RecordFailed: tellNoRecord(context, *outcome.recordError); break;
    case Stage::BackupFailed:
        context.host.showMessage(Texts::tr("The automatic backup cannot be saved, so nothing was written: %1")
                                     .arg(storeProblemText(outcome.backupError->problem())));
        break;
    default: break;
    }
}
