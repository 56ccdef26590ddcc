#include "app/settings_file_actions.h"

#include "dialogs/adapter_action.h"
#include "dialogs/basicinfo.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/not_read.h"
#include "dialogs/not_taken.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "settings/restore.h"
#include "settings/restore_plan.h"
#include "settings/settings_store.h"

#include <QCoreApplication>

namespace {

// The context of this file's texts in the translations.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(SettingsFileActions)
};

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

// Every group the firmware has, each as its dialog reads it (the serial
// port group as its Cancel reads it). Nothing when a value was not read:
// a file or backup must not miss one; the user has been told.
std::optional<settings::Snapshot> readAll(const Context& context, const settings::Features& features,
                                          const char* consequence)
{
    settings::StartUp started;
    started.features = features;
    if (features.serialPort) started.serialPort = settings::readSerialPort(context.link);
    settings::Snapshot held = settings::readGroups(context.link, started, settings::groupsPresent(features));
    const std::vector<std::string> missing = settings::notReadKeys(held, features);
    if (missing.empty()) return held;
    QString message = Texts::tr("The adapter did not answer for these settings, so %1:").arg(Texts::tr(consequence));
    for (const std::string& key : missing) message += QStringLiteral("\n  ") + text(key);
    context.host.showMessage(message);
    return std::nullopt;
}

QString changeList(const std::vector<settings::FieldChange>& changes)
{
    QString list;
    for (const settings::FieldChange& c : changes)
        list += QStringLiteral("\n  %1: %2 -> %3").arg(text(c.key), text(c.from), text(c.to));
    return list;
}

void tellOutcome(const Context& context, const TForm7::Dialogs& dialogs, const settings::Restore& restore)
{
    if (restore.notTaken.empty()) {
        context.host.showMessage(Texts::tr("The adapter now holds the settings of the file."));
        return;
    }
    // Each value under the label of the control that shows it.
    const std::pair<settings::Group, const QWidget*> windows[] = {
        {settings::Group::Basic, dialogs.basicDialog},
        {settings::Group::Repeater, dialogs.repeaterDialog},
        {settings::Group::SlowData, dialogs.slowDataDialog},
        {settings::Group::Beacon, dialogs.beaconDialog},
        {settings::Group::SerialPort, dialogs.serialPortDialog}};
    notread::Report report;
    for (const auto& [group, dialog] : windows) {
        std::vector<settings::ValueNotTaken> values;
        for (const settings::ValueNotTaken& value : restore.notTaken)
            if (settings::groupOfKey(value.key) == group) values.push_back(value);
        reportNotTaken(values, dialog, report);
    }
    context.host.showMessage(report.text());
}

}  // namespace

void saveSettingsToFile(const Context& context)
{
    const QString path = context.host.chooseFile(true, Texts::tr("Save settings to file"));
    if (path.isEmpty()) return;
    runAdapterAction(context, nullptr, [&] {
        BusyCursor busy;
        const settings::Features& features = context.startUp->features;
        const auto held =
            readAll(context, features, QT_TRANSLATE_NOOP("SettingsFileActions", "the file was not written"));
        if (!held) return;
        const std::string file = settings::writeSettingsFile(*held, settings::readOrigin(context.link, features));
        try {
            settings::saveSettingsFile(path.toStdString(), file, true);
            context.host.showMessage(Texts::tr("The adapter's settings were saved to %1.").arg(path));
        } catch (const settings::StoreError& error) {
            context.host.showMessage(Texts::tr("The file was not written: %1").arg(text(error.what())));
        }
    });
}

void loadSettingsFromFile(const Context& context, const TForm7::Dialogs& dialogs)
{
    const QString path = context.host.chooseFile(false, Texts::tr("Load settings from file"));
    if (path.isEmpty()) return;
    settings::FileContents contents;
    try {
        contents = settings::loadSettingsFile(path.toStdString());
    } catch (const settings::StoreError& error) {
        context.host.showMessage(
            Texts::tr("The file cannot be loaded; nothing was written.\n\n%1").arg(text(error.what())));
        return;
    }

    settings::Restore restore;
    const bool ran = runAdapterAction(context, nullptr, [&] {
        BusyCursor busy;
        const settings::Features& features = context.startUp->features;
        settings::Snapshot file = contents.values;
        if (const auto missing = settings::takeOutWhatTheFirmwareLacks(file, features); !missing.empty()) {
            QStringList names;
            for (const std::string& name : missing) names << text(name);
            context.host.showMessage(Texts::tr("The adapter's firmware lacks %1, which the file holds. "
                                               "Nothing was written.")
                                         .arg(names.join(QStringLiteral(", "))));
            return;
        }
        const auto held = readAll(context, features, QT_TRANSLATE_NOOP("SettingsFileActions", "nothing was written"));
        if (!held) return;
        const settings::RestorePlan plan = settings::planRestore(*held, file, contents.lines);
        if (!plan.problems.empty()) {
            const QString problems = text(settings::problemLines(plan.problems, path.toStdString()));
            context.host.showMessage(Texts::tr("The file's settings cannot be written:%1\n\nNothing was written.")
                                         .arg(QStringLiteral("\n  ") +
                                              QString(problems).replace(QLatin1Char('\n'), QStringLiteral("\n  "))));
            return;
        }
        if (plan.changes.empty()) {
            context.host.showMessage(Texts::tr("The adapter already holds the settings of the file."));
            return;
        }
        QString question =
            Texts::tr("Loading the file changes these settings in the adapter:%1").arg(changeList(plan.changes));
        if (plan.fixedFlagBits)
            question += Texts::tr("\n\nBits 7 and 4 of the flag byte cannot be changed; they stay as they are.");
        const std::string folder = settings::automaticBackupFolder();
        question += Texts::tr(
                        "\n\nThe adapter's present settings are saved first, in %1.\n\nWrite the changes "
                        "to the adapter?")
                        .arg(text(folder));
        if (!context.host.ask(question)) return;

        try {
            settings::saveAutomaticBackup(
                folder, settings::backupTimeStamp(),
                settings::writeSettingsFile(*held, settings::readOrigin(context.link, features)));
        } catch (const settings::StoreError& error) {
            context.host.showMessage(
                Texts::tr("The automatic backup cannot be saved, so nothing was written: %1").arg(text(error.what())));
            return;
        }
        settings::restoreSettings(
            context.link, [&](int ms) { context.host.pause(ms); }, features, *held, file, restore);
        // The serial port dialog shows what it read when it was built; it
        // shows the adapter's values again.
        if (dialogs.serialPortDialog != nullptr && restore.after.serialPort) {
            notread::Report ignored;
            dialogs.serialPortDialog->showGroup(*restore.after.serialPort, ignored);
        }
        if (restore.interruptedBy != 0) {
            // The program is to end: it says how far the file came.
            QStringList written, notBegun;
            for (const auto& [group, changes] : restore.written)
                written << QString::fromLatin1(settings::groupName(group));
            for (settings::Group group : restore.notBegun) notBegun << QString::fromLatin1(settings::groupName(group));
            context.host.showMessage(Texts::tr("The program was asked to end, so the file was loaded only in part. "
                                               "Written completely: %1. Not written: %2; load the file again.")
                                         .arg(written.join(QStringLiteral(", ")), notBegun.join(QStringLiteral(", "))));
            return;
        }
        tellOutcome(context, dialogs, restore);
    });
    if (!ran && (!restore.written.empty() || restore.lostDuring)) {
        QString written;
        for (const auto& [group, changes] : restore.written)
            written += (written.isEmpty() ? QString() : QStringLiteral(", ")) +
                       QString::fromLatin1(settings::groupName(group));
        context.host.showMessage(Texts::tr("Written completely before the adapter was lost: %1.%2")
                                     .arg(written.isEmpty() ? Texts::tr("nothing") : written,
                                          restore.lostDuring
                                              ? Texts::tr(" Partly written: %1; load the file again.")
                                                    .arg(QString::fromLatin1(settings::groupName(*restore.lostDuring)))
                                              : QString()));
    }
}
