// The one table of value names against the settings file and the dialogs:
// each key of the file has its row, in file order, and the row's field
// stands in its group's dialog under the row's label, the name the desktop
// program's messages give the value; and each group is named by its
// dialog's title.

#include "dialogs/basicinfo.h"
#include "dialogs/not_taken.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "settings/file_fields.h"
#include "settings/value_names.h"
#include "tests/support/fixture.h"

#include <QWidget>

namespace {

QWidget* dialogOf(const Windows& w, settings::Group group)
{
    switch (group) {
    case settings::Group::Basic: return w.basicDialog;
    case settings::Group::Repeater: return w.repeaterDialog;
    case settings::Group::SlowData: return w.slowDataDialog;
    case settings::Group::Beacon: return w.beaconDialog;
    case settings::Group::SerialPort: return w.serialPortDialog;
    }
    return nullptr;
}

TEST(ValueNames, EveryKeyOfTheFileHasItsFieldInItsDialogUnderItsLabel)
{
    const auto& names = settings::valueNames();
    const auto& fields = settings::file::fields();
    ASSERT_EQ(names.size(), fields.size());
    Rig rig;
    Windows w = rig.start();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const settings::ValueName& name = names[i];
        EXPECT_EQ(name.key, settings::file::fullKey(fields[i]));
        EXPECT_EQ(name.group, fields[i].group) << name.key;
        EXPECT_EQ(settings::valueNamed(name.key), &name);
        const QWidget* dialog = dialogOf(w, name.group);
        ASSERT_NE(dialog, nullptr) << name.key;
        EXPECT_NE(dialog->findChild<QWidget*>(QString::fromLatin1(name.control)), nullptr) << name.key;
        EXPECT_EQ(valueLabel(dialog, name.key).toStdString(), name.label) << name.key;
        EXPECT_LE(name.min, name.max) << name.key;
    }
    for (settings::Group group : settings::AllGroups)
        EXPECT_EQ(groupTitle(group), dialogOf(w, group)->windowTitle()) << settings::groupName(group);
}

}  // namespace
