#include "app/adapter_menu.h"

#include "app/eeprom_set.h"
#include "app/record_at_start.h"
#include "app/startup.h"
#include "device/shown_text.h"
#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"
#include "settings/adapter_switch.h"

#include <QEvent>
#include <QMenu>
#include <QMenuBar>

namespace {

// Text from the bus or /proc in a menu item: shown escaped, and with no
// ampersand that could pass for an accelerator.
QString itemText(const std::string& text)
{
    return QString::fromStdString(shown::fromUtf8(text)).replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString busDevice(const AdapterNode& node)
{
    return QStringLiteral("%1:%2").arg(node.address.bus).arg(node.address.device);
}

}  // namespace

AdapterMenu::AdapterMenu(Windows& windows, std::function<AdapterWalk()> walk)
    : QObject(windows.mainWindow.get()), windows_(windows), walk_(std::move(walk)),
      menu_(new QMenu(tr("&Adapter"), windows.mainWindow.get())), title_(windows.mainWindow->windowTitle())
{
    menu_->setObjectName(QStringLiteral("Adapter1"));
    windows.mainWindow->menuBar()->addMenu(menu_);
    connect(menu_, &QMenu::aboutToShow, this, &AdapterMenu::fill);
    windows.mainWindow->installEventFilter(this);
    refresh();
}

AdapterMenu::~AdapterMenu()
{
    forgetWhenAdapterFree(this);
}

bool AdapterMenu::eventFilter(QObject* watched, QEvent* event)
{
    // (Never while the main window is being taken down.)
    // While an action talks to the adapter, the walk waits for its end.
    if (event->type() == QEvent::WindowActivate && windows_.mainWindow != nullptr)
        whenAdapterFree(this, [this] { refresh(); });
    return QObject::eventFilter(watched, event);
}

void AdapterMenu::refresh()
{
    const bool shown = walk_().adapters.size() > 1;
    menu_->menuAction()->setVisible(shown);
    const auto& adapter = windows_.context->connection->adapter();
    windows_.mainWindow->setWindowTitle(shown && adapter ? title_ + QStringLiteral(" - ") + busDevice(*adapter)
                                                         : title_);
}

void AdapterMenu::fill()
{
    menu_->clear();
    for (const settings::AdapterOffer& offer : settings::adapterOffers(walk_(), *windows_.context->connection)) {
        const AdapterNode& node = offer.node;
        QString text = node.port.empty() ? tr("at an unknown USB port (device %1)").arg(busDevice(node))
                                         : tr("at USB port %1 (device %2)").arg(itemText(node.port), busDevice(node));
        if (offer.heldBy) {
            const QString holder = holderText(*offer.heldBy).replace(QLatin1Char('&'), QLatin1String("&&"));
            text = holder.isEmpty() ? tr("%1, in use by another program").arg(text)
                                    : tr("%1, in use by %2").arg(text, holder);
        }
        QAction* item = menu_->addAction(text);
        item->setCheckable(true);
        item->setChecked(offer.inUse);
        if (!offer.inUse) connect(item, &QAction::triggered, this, [this, node] { choose(node); });
        else connect(item, &QAction::triggered, item, [item] { item->setChecked(true); });
    }
}

void AdapterMenu::choose(const AdapterNode& node)
{
    if (adapterInUse()) return;
    const Context& context = *windows_.context;
    settings::AdapterSwitch change;
    {
        const AdapterInUse inUse;
        BusyCursor busy;
        change = settings::switchAdapter(*context.connection, context.link, walk_, node);
    }
    // The title may have been looked at while the chosen adapter was being
    // asked; it names the adapter in use now.
    refresh();
    if (change.startUp) {
        adoptStartUp(windows_, std::move(*change.startUp));
        // A write to this adapter cut short earlier is told before anything
        // is written to it, as at start-up.
        tellWriteRecord(context);
    } else if (change.refusal) context.host.showMessage(adapterText(*change.refusal));
}
