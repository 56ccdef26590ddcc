#include "dialogs/group_save.h"

#include "device/adapter_connection.h"
#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/not_read.h"
#include "dialogs/not_taken.h"
#include "dialogs/save_record.h"
#include "dialogs/setting_controls.h"
#include "dialogs/store_problem_text.h"

#include <QAction>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QVariant>
#include <QWidget>

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(GroupSave)
};

// The dynamic property of a dialog that keeps what a Save cut short by a
// loss sent, for the check once the adapter is found again.
constexpr const char* CutSentProperty = "cutSent";

QString labels(const QWidget* dialog, const std::vector<std::string>& keys)
{
    QStringList names;
    for (const std::string& key : keys) names << valueLabel(dialog, key);
    return notread::listOf(names);
}

// The loss in the middle of the group's writes: what reached the adapter,
// what may have and what was never sent.
QString cutText(const QWidget& dialog, const settings::CutWrite& cut)
{
    return Texts::tr("The DV Brisel (Relavox) was lost in the middle of the Save, so %1 may be half written.")
               .arg(groupTitle(cut.group)) +
           QStringLiteral("\n\n") + howFarText(cut, &dialog) + QStringLiteral("\n\n") +
           Texts::tr(
               "The dialog still shows what you entered. Plug the adapter in again and save again: until "
               "then the record of the Save stays, and the program tells of it when it starts.");
}

// The menu item that reads the group again: Reload where there is one,
// by its words without its accelerator, whether marked inside a word
// ("&Reload") or after it, as Japanese does ("再読み込み(&R)").
QString readAgainItem(const QWidget& dialog)
{
    static const QRegularExpression keyAfter(QStringLiteral("\\(&[^&]\\)$"));
    for (const char* name : {"Reload1", "Cancel1"})
        if (const auto* item = dialog.findChild<QAction*>(QString::fromLatin1(name)))
            return item->text().remove(keyAfter).remove(u'&');
    return {};
}

QString otherSettingsText(const Context& context, const QWidget& dialog)
{
    const std::optional<AdapterNode> node =
        context.connection != nullptr ? context.connection->adapter() : std::nullopt;
    return Texts::tr(
               "The DV Brisel (Relavox) found again %1 holds other settings than the one this dialog read: "
               "it is another adapter, or its settings were changed meanwhile.\n\nNothing was written, "
               "and the dialog still shows what you entered. %2 shows what the adapter holds.")
        .arg(node ? adapterPlace(*node) : Texts::tr("at the same place"), readAgainItem(dialog));
}

}  // namespace

QString howFarText(const settings::CutWrite& cut, const QWidget* dialog)
{
    QStringList lines;
    if (!cut.reached.empty()) lines << Texts::tr("Reached the adapter: %1.").arg(labels(dialog, cut.reached));
    if (!cut.maybe.empty()) lines << Texts::tr("May have reached it: %1.").arg(labels(dialog, cut.maybe));
    if (!cut.notSent.empty()) lines << Texts::tr("Never sent: %1.").arg(labels(dialog, cut.notSent));
    return lines.join(u'\n');
}

void runGroupSave(const Context& context, QWidget& dialog, settings::Group group, const settings::Snapshot& held,
                  const std::function<settings::Snapshot(notread::Report&)>& take,
                  const std::function<void(const settings::GroupSaveOutcome&, notread::Report&)>& show)
{
    settings::GroupSaveSteps steps;
    steps.held = held;
    if (context.startUp != nullptr) steps.features = context.startUp->features;
    std::optional<settings::StoreError> noFolder;
    try {
        steps.record = {recordPathOf(context), recordAdapterOf(context), settings::RecordJob::Save};
    } catch (const settings::StoreError& error) {
        noFolder = error;
    }
    const QVariant readFrom = dialog.property(FoundProperty);
    settings::GroupSaveOutcome outcome;
    bool writing = false;
    runAdapterAction(
        context, &dialog,
        [&] {
            BusyCursor busy;
            notread::Report report;
            const settings::Snapshot values = take(report);
            steps.foundAgain =
                context.connection != nullptr && context.connection->timesFoundAgain() != readFrom.toUInt();
            if (steps.foundAgain) {
                const QVariant cutSent = dialog.property(CutSentProperty);
                if (cutSent.canConvert<settings::Snapshot>()) steps.cutSent = cutSent.value<settings::Snapshot>();
            }
            steps.tell = [&](const settings::GroupSaveOutcome& saved) {
                dialog.setProperty(CutSentProperty, QVariant());
                show(saved, report);
                reportNotTaken(saved.notTaken, &dialog, report);
                report.tell(context.host);
            };
            writing = true;
            settings::saveDialogGroup(
                context.link, [&context](int ms) { context.host.pause(ms); }, group, values, steps, outcome);
            if (outcome.otherSettings) context.host.showMessage(otherSettingsText(context, dialog));
        },
        [&](const AdapterProblem&) {
            if (!outcome.cut || outcome.cut->whole()) return QString();
            dialog.setProperty(CutSentProperty, QVariant::fromValue(outcome.sent));
            return cutText(dialog, *outcome.cut);
        });
    // What the dialog shows was not read from the adapter found again.
    if (outcome.otherSettings) dialog.setProperty(FoundProperty, readFrom);
    const std::optional<settings::StoreError>& error = noFolder ? noFolder : outcome.recordError;
    if (!error || !writing || outcome.otherSettings) return;
    QString text =
        QCoreApplication::translate("WriteRecord", "The Save went ahead, but no record of it could be kept: %1")
            .arg(storeProblemText(error->problem()));
    if (error->problem().earlierRecord)
        text += QStringLiteral("\n\n") +
                QCoreApplication::translate("WriteRecord", "The record of the earlier write was left as it is.");
    context.host.showMessage(text);
}
