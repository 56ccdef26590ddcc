#include "dialogs/adapter_action.h"

#include "device/adapter_connection.h"
#include "device/shown_text.h"
#include "dialogs/not_read.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

#include <vector>

namespace {

// What the controls of a window show: texts, check states, enabled states
// and their not-read marks.
class ControlsShown {
public:
    explicit ControlsShown(QWidget* window)
    {
        if (window == nullptr) return;
        for (QLineEdit* e : window->findChildren<QLineEdit*>())
            edits_.push_back({e, e->text(), e->placeholderText(), e->isEnabled(), e->property(notread::Property)});
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
            if (!b->isCheckable()) continue;
            auto* box = qobject_cast<QCheckBox*>(b);
            buttons_.push_back({b, b->isChecked(), box != nullptr && box->isTristate(),
                                box != nullptr ? box->checkState() : Qt::Unchecked, b->isEnabled(),
                                b->property(notread::Property)});
        }
    }

    void restore() const
    {
        for (const Edit& e : edits_) {
            e.edit->setText(e.text);
            e.edit->setPlaceholderText(e.placeholder);
            e.edit->setEnabled(e.enabled);
            e.edit->setProperty(notread::Property, e.mark);
        }
        // Radio buttons are set off first so that a group can end with none checked.
        for (const Button& b : buttons_) notread::uncheck(*b.button);
        for (const Button& b : buttons_) {
            if (auto* box = qobject_cast<QCheckBox*>(b.button)) {
                box->setTristate(b.tristate);
                box->setCheckState(b.state);
            } else if (b.checked) {
                b.button->setChecked(true);
            }
            b.button->setEnabled(b.enabled);
            b.button->setProperty(notread::Property, b.mark);
        }
    }

private:
    struct Edit {
        QLineEdit* edit;
        QString text, placeholder;
        bool enabled;
        QVariant mark;
    };
    struct Button {
        QAbstractButton* button;
        bool checked, tristate;
        Qt::CheckState state;
        bool enabled;
        QVariant mark;
    };
    std::vector<Edit> edits_;
    std::vector<Button> buttons_;
};

// The connection's fixed texts, for the translation tools; a test checks
// that each is found under its own words.
[[maybe_unused]] constexpr const char* ConnectionTexts[] = {
    QT_TRANSLATE_NOOP("AdapterGone", "Does not find the DV Brisel (Relavox)"),
    QT_TRANSLATE_NOOP("AdapterGone",
                      "The DV Brisel (Relavox) was found, but it cannot be opened: "
                      "no permission to use the USB device.\n\n"
                      "See \"Access to the adapter\" in the README."),
    QT_TRANSLATE_NOOP("AdapterGone",
                      "The DV Brisel (Relavox) is on the USB bus, but its device node is missing: "
                      "it was unplugged just now, or this system has no /dev/bus/usb.\n\n"
                      "Plug the adapter in again; in a container, give it the adapter's device node."),
    QT_TRANSLATE_NOOP("AdapterGone",
                      "The DV Brisel (Relavox) is no longer connected.\n\n"
                      "Nothing more was sent to it, and the dialog still shows what you entered. "
                      "Plug the adapter in again: the program finds it the next time you choose "
                      "a menu item."),
    QT_TRANSLATE_NOOP("AdapterGone",
                      "The DV Brisel (Relavox) is no longer connected.\n\n"
                      "Nothing more was sent to it. Plug the adapter in again: the program finds it the next time "
                      "you choose a menu item."),
};

// The context of the connection's texts in the translations.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(AdapterGone)
};

// Text from the command line, the bus or /proc, shown escaped and cut.
QString quoted(const std::string& text)
{
    return QString::fromStdString(shown::fromUtf8(shown::clipped(text)));
}

}  // namespace

// Where an adapter is: its USB port and its bus and device numbers.
QString adapterPlace(const AdapterNode& node)
{
    const QString device = QStringLiteral("%1:%2").arg(node.address.bus).arg(node.address.device);
    return node.port.empty() ? Texts::tr("at an unknown USB port (device %1)").arg(device)
                             : Texts::tr("at USB port %1 (device %2)").arg(quoted(node.port), device);
}

namespace {

QString otherAdapterText(const AdapterProblem& problem)
{
    QString seen;
    for (const AdapterNode& node : problem.seen) seen += QStringLiteral("\n  ") + adapterPlace(node);
    const AdapterNode lost = problem.lost.value_or(AdapterNode{});
    const QString place = adapterPlace(lost);
    if (lost.port.empty())
        return Texts::tr(
                   "The DV Brisel (Relavox) in use, %1, is no longer connected.\n\nNothing was sent: the program "
                   "does not change to another adapter by itself. Adapters connected now:%2\n\nPlug the "
                   "adapter in again: the program finds it the next time you choose a menu item. To use "
                   "another adapter, start the program again.")
            .arg(place, seen);
    return Texts::tr(
               "The DV Brisel (Relavox) in use, %1, is no longer connected.\n\nNothing was sent: the program "
               "does not change to another adapter by itself. Adapters connected now:%2\n\nPlug the adapter "
               "in again at USB port %3: the program finds it the next time you choose a menu item. To use "
               "another adapter, start the program again.")
        .arg(place, seen, quoted(lost.port));
}

int actionsRunning = 0;
// What waits for the adapter to be free, by who asked.
std::vector<std::pair<const void*, std::function<void()>>>& waiting()
{
    static std::vector<std::pair<const void*, std::function<void()>>> list;
    return list;
}

}  // namespace

bool adapterInUse()
{
    return actionsRunning > 0;
}

void whenAdapterFree(const void* asker, std::function<void()> then)
{
    if (!adapterInUse()) {
        then();
        return;
    }
    for (auto& [who, what] : waiting())
        if (who == asker) {
            what = std::move(then);
            return;
        }
    waiting().emplace_back(asker, std::move(then));
}

void forgetWhenAdapterFree(const void* asker)
{
    std::erase_if(waiting(), [asker](const auto& entry) { return entry.first == asker; });
}

AdapterInUse::AdapterInUse()
{
    ++actionsRunning;
}

AdapterInUse::~AdapterInUse()
{
    if (--actionsRunning > 0) return;
    const auto due = std::move(waiting());
    waiting().clear();
    for (const auto& [who, what] : due) what();
}

QString holderText(const AdapterHolder& holder)
{
    if (!holder.process) return {};
    if (holder.name.empty()) return Texts::tr("process %1").arg(*holder.process);
    return Texts::tr("%1 (process %2)").arg(quoted(holder.name)).arg(*holder.process);
}

QString adapterText(const AdapterProblem& problem)
{
    using Kind = AdapterProblem::Kind;
    switch (problem.kind) {
    case Kind::NotFound: break;
    case Kind::NotAtDevice: return Texts::tr("No DV Brisel (Relavox) at %1.").arg(quoted(problem.device));
    case Kind::NoPermission: return QCoreApplication::translate("AdapterGone", NoPermissionText);
    case Kind::NodeMissing: return QCoreApplication::translate("AdapterGone", NodeMissingText);
    case Kind::InUse: {
        const QString holder = holderText(problem.holder);
        if (holder.isEmpty())
            return Texts::tr(
                "The DV Brisel (Relavox) is in use by another program.\n\nNothing was sent to it. Try "
                "again when that program has finished.");
        return Texts::tr(
                   "The DV Brisel (Relavox) is in use by another program, %1.\n\nNothing was sent to it. Try "
                   "again when that program has finished.")
            .arg(holder);
    }
    case Kind::Lost: return QCoreApplication::translate("AdapterGone", LostText);
    case Kind::OtherAdapter: return otherAdapterText(problem);
    }
    return QCoreApplication::translate("AdapterGone", NotFoundText);
}

bool runAdapterAction(const Context& context, QWidget* window, const std::function<void()>& action,
                      const std::function<QString(const AdapterProblem&)>& lossText)
{
    if (adapterInUse() || context.stop.asked() != 0) return false;
    const AdapterInUse inUse;
    const ControlsShown before(window);
    try {
        if (context.connection != nullptr) context.connection->reconnectIfLost();
        action();
        if (window != nullptr && context.connection != nullptr)
            window->setProperty(FoundProperty, context.connection->timesFoundAgain());
        return true;
    } catch (const AdapterGone& gone) {
        before.restore();
        QString text = lossText ? lossText(gone.problem()) : QString();
        if (text.isEmpty() && window == nullptr && gone.problem().kind == AdapterProblem::Kind::Lost)
            text = QCoreApplication::translate("AdapterGone", LostOutsideDialogText);
        context.host.showMessage(text.isEmpty() ? adapterText(gone.problem()) : text);
        return false;
    }
}
