#pragma once
// The main window's menu "&Adapter": every adapter on the bus in bus order,
// the one in use ticked and one that another program holds marked so, and
// the change to another. The menu, and the adapter's BUS:DEVICE at the end of
// the window title, are shown only while the bus holds more than one
// adapter: with one adapter the window looks as it always did.

#include "device/adapter_connection.h"

#include <QObject>
#include <QString>
#include <functional>

class QMenu;
struct Windows;

class AdapterMenu final : public QObject {
    Q_OBJECT
public:
    // Adds the menu after the main window's menus; `walk` lists the adapters
    // on the bus. The main window owns the menu; `windows` (built over an
    // AdapterConnection) must outlive it.
    AdapterMenu(Windows& windows, std::function<AdapterWalk()> walk);
    ~AdapterMenu() override;

    // Walks the bus and shows or hides the menu and the title's BUS:DEVICE.
    // Walking sends nothing to any adapter. It is done at start-up, after a
    // change, and whenever the main window becomes the active window again
    // (never while one of its menus is open, which a change of the menu bar
    // would disturb, and never while an action talks to the adapter: then
    // once that action ends).
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill();
    void choose(const AdapterNode& node);

    Windows& windows_;
    std::function<AdapterWalk()> walk_;
    QMenu* menu_;
    QString title_;  // the window title without the BUS:DEVICE
};
