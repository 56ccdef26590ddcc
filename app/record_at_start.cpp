#include "app/record_at_start.h"

#include "device/shown_text.h"
#include "dialogs/host.h"
#include "dialogs/not_read.h"
#include "dialogs/not_taken.h"
#include "dialogs/save_record.h"
#include "dialogs/store_problem_text.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"

#include <QCoreApplication>
#include <QDate>
#include <QRegularExpression>

#include <cstring>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(WriteRecord)
};

QString shown(const std::string& text)
{
    return QString::fromStdString(shown::fromUtf8(text));
}

// A date as the record notes it ("2026-12-08") as the user's language
// writes dates.
QString dateText(const QString& iso)
{
    const QDate date = QDate::fromString(iso, Qt::ISODate);
    //: The form of a date, as QDate::toString takes it: 2026-12-08 in German is 08.12.2026 (dd.MM.yyyy).
    return date.isValid() ? date.toString(Texts::tr("yyyy-MM-dd")) : iso;
}

// The job that was cut short, as the record names it.
QString jobOf(settings::RecordJob job)
{
    switch (job) {
    case settings::RecordJob::Load: return Texts::tr("A File > Load");
    case settings::RecordJob::Save: return Texts::tr("A dialog's Save");
    case settings::RecordJob::Set: return Texts::tr("A brisel-ctl set");
    case settings::RecordJob::Restore: return Texts::tr("A brisel-ctl restore");
    case settings::RecordJob::Unknown: break;
    }
    return Texts::tr("A write");
}

QString adapterOf(const settings::AdapterIdentity& adapter)
{
    if (adapter.emulated)
        return adapter.demoFile.empty()
                   ? Texts::tr("the emulated adapter")
                   : Texts::tr("the emulated adapter of the demo file %1").arg(shown(adapter.demoFile));
    if (!adapter.port.empty()) return Texts::tr("the adapter at USB port %1").arg(shown(adapter.port));
    if (adapter.address)
        return Texts::tr("the adapter at USB bus %1, device %2").arg(adapter.address->bus).arg(adapter.address->device);
    return Texts::tr("the adapter");
}

QString recordText(const settings::WriteRecord& record, const std::string& path)
{
    const QString adapter = adapterOf(record.adapter);
    // The time as the record notes it, "2026-12-08 14:02"; anything else is
    // left out.
    static const QRegularExpression time(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}) (\\d{2}:\\d{2})$"));
    const QRegularExpressionMatch begun = time.match(QString::fromStdString(record.begun));
    QString text = begun.hasMatch()
                       ? Texts::tr("%1 onto %2 was cut short on %3 at %4.")
                             .arg(jobOf(record.job), adapter, dateText(begun.captured(1)), begun.captured(2))
                       : Texts::tr("%1 onto %2 was cut short.").arg(jobOf(record.job), adapter);
    QStringList done, halfWritten;
    const std::vector<settings::Group> notDone = settings::halfWritten(record);
    for (settings::Group group : record.groups) {
        const bool isDone = std::find(notDone.begin(), notDone.end(), group) == notDone.end();
        (isDone ? done : halfWritten) << groupTitle(group);
    }
    text += QLatin1Char('\n') +
            Texts::tr("Written completely: %1.").arg(done.isEmpty() ? Texts::tr("nothing") : notread::listOf(done));
    if (!halfWritten.isEmpty())
        text += QLatin1Char('\n') + Texts::tr("May be half written: %1.").arg(notread::listOf(halfWritten));
    text += QStringLiteral("\n\n") +
            Texts::tr(
                "The settings from before it are in %1; File > Load of that file puts them back, and so "
                "does this command:\n%2")
                .arg(shown(path), shown(settings::commandLine(settings::restoreArguments(record.adapter, path))));
    // A later write goes past this record only by writing completely again
    // what may be half written (settings::RecordKeeper).
    text += QStringLiteral("\n\n") +
            (halfWritten.isEmpty()
                 ? Texts::tr("OK keeps this record until a later write onto this adapter has run to its end.")
                 : Texts::tr("OK keeps this record until a later write onto this adapter has written completely "
                             "again what may be half written."));
    return text;
}

}  // namespace

void tellWriteRecord(const Context& context)
{
    std::string path;
    try {
        path = recordPathOf(context);
    } catch (const settings::StoreError&) {
        return;  // no state folder: no record there
    }
    std::optional<settings::WriteRecord> record;
    try {
        record = settings::readRecord(path);
    } catch (const settings::StoreError& error) {
        // Told, and left as it is: no write goes past it.
        context.host.showMessage(storeProblemText(error.problem()) + QStringLiteral("\n\n") +
                                 Texts::tr("It is left as it is. A Save goes ahead without a record; a File > Load "
                                           "writes nothing until the record can be read or is removed."));
        return;
    }
    if (!record) return;
    if (context.host.tellWithChoice(recordText(*record, path), Texts::tr("Forget this record")))
        if (const int error = settings::removeRecord(path); error != 0)
            context.host.showMessage(
                Texts::tr("The record %1 could not be removed: %2")
                    .arg(QString::fromStdString(shown::fromUtf8(path)), QString::fromLocal8Bit(std::strerror(error))));
}
