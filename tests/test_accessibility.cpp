// Every window over the emulated adapter as a screen reader and a keyboard
// user meet it, in English and in each translation: each control that takes
// the focus has a name, Tab visits the controls in the order they stand,
// rows from the top, each row from the left (the controls of a group box
// where their group box stands), no text is cut off (not even a box's "not
// read"), and no two items of a menu share an accelerator.

#include "app/eeprom_set.h"
#include "app/translation.h"
#include "dialogs/not_read.h"
#include "tests/support/dialog_helpers.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

// Whether `a` stands before `b`, judged by the two containers in which their
// paths part. Centres closer than half the lower one's height share a row.
bool standsBefore(QWidget* a, QWidget* b)
{
    QWidget* common = a->parentWidget();
    while (!common->isAncestorOf(b)) common = common->parentWidget();
    auto place = [common](QWidget* w) {
        while (w->parentWidget() != common) w = w->parentWidget();
        return w->geometry();
    };
    const QRect pa = place(a), pb = place(b);
    if (std::abs(pa.center().y() - pb.center().y()) * 2 >= std::min(pa.height(), pb.height()))
        return pa.center().y() < pb.center().y();
    return pa.x() < pb.x();
}

std::string nameOf(QWidget* control)
{
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).trimmed().toStdString();
}

void expectDistinctAccelerators(QWidget& menu)
{
    std::set<QChar> keys;
    for (QAction* item : menu.actions())
        if (const QChar key = dlg::acceleratorOf(item->text()); !key.isNull()) {
            EXPECT_TRUE(keys.insert(key).second) << item->text().toStdString();
        }
}

class Accessibility : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override { installTranslations({QString::fromLatin1(GetParam())}); }
    void TearDown() override { installTranslations({}); }
};

TEST_P(Accessibility, EveryControlIsNamedTabFollowsTheLayoutAndNoTextIsCut)
{
    Rig rig;
    Windows w = rig.start();
    for (const char* name : {"Form7", "AutoDetect", "Form11", "Form13", "Form15", "Form17", "Form12"}) {
        SCOPED_TRACE(name);
        QWidget* window = w.mainWindow.get();
        if (window->objectName() != name) window = window->findChild<QWidget*>(name);
        ASSERT_NE(window, nullptr);
        window->show();
        std::vector<QWidget*> chain;
        for (QWidget* c = window->nextInFocusChain(); c != window; c = c->nextInFocusChain())
            if ((c->focusPolicy() & Qt::TabFocus) && window->isAncestorOf(c) && c->isVisibleTo(window))
                chain.push_back(c);
        for (QWidget* control : chain) EXPECT_NE(nameOf(control), "") << control->objectName().toStdString();
        // Every box and button is reached.
        for (QWidget* c : window->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QLineEdit*>(c) || qobject_cast<QAbstractButton*>(c);
            EXPECT_TRUE(!control || !c->isVisibleTo(window) || std::count(chain.begin(), chain.end(), c) == 1)
                << c->objectName().toStdString();
        }
        for (std::size_t i = 1; i < chain.size(); ++i)
            EXPECT_TRUE(standsBefore(chain[i - 1], chain[i]))
                << "Tab goes from " << nameOf(chain[i - 1]) << " to " << nameOf(chain[i]);
        window->hide();
        // Every box as a failed read leaves it: "not read" must not be cut,
        // and a box shows the shorter words of a narrow box only where the
        // full words do not fit.
        for (QLineEdit* edit : window->findChildren<QLineEdit*>()) notread::mark(*edit);
        dlg::expectNothingClipped(*window);
        window->show();
        const QString full = QCoreApplication::translate("notread", "not read");
        for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
            if (edit->placeholderText() != full) {
                EXPECT_GT(edit->fontMetrics().horizontalAdvance(full), dlg::placeholderRoom(*edit))
                    << edit->objectName().toStdString() << ": " << edit->placeholderText().toStdString();
            }
        }
        window->hide();
        for (QMenuBar* bar : window->findChildren<QMenuBar*>()) expectDistinctAccelerators(*bar);
        for (QMenu* menu : window->findChildren<QMenu*>()) expectDistinctAccelerators(*menu);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, Accessibility, testing::Values("en", "ja", "de"));

}  // namespace
