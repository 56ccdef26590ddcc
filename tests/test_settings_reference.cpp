// The file's keys against the dialogs' forms and the settings reference
// (docs/settings.md): each key has exactly one control, in its group's form,
// and no control names a key the file does not know; the key's row stands in
// its group's section under that control's label (as the program's messages
// name the value), with the key's unit and range; the reference has no other
// row; and the messages name each group by its dialog's title.

#include "dialogs/basicinfo.h"
#include "dialogs/not_taken.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/setting_controls.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "settings_file/file_fields.h"
#include "tests/support/fixture.h"

#include <QVariant>
#include <QWidget>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The cells of each table row, by "group.key", from the sections headed
// "## group: ...".
std::map<std::string, std::vector<std::string>> referenceRows()
{
    std::ifstream in(BRISEL_SOURCE_DIR "/docs/settings.md");
    std::map<std::string, std::vector<std::string>> rows;
    std::string line, group;
    while (std::getline(in, line)) {
        if (line.starts_with("## ")) group = line.substr(3, line.find(':') - 3);
        if (!line.starts_with("| `")) continue;
        std::vector<std::string> cells;
        std::stringstream cellsOf(line.substr(2));
        for (std::string cell; std::getline(cellsOf, cell, '|');) {
            cell.erase(0, cell.find_first_not_of(' '));
            cell.erase(cell.find_last_not_of(' ') + 1);
            cells.push_back(cell);
        }
        rows[group + "." + cells.at(0).substr(1, cells.at(0).size() - 2)] = cells;
    }
    return rows;
}

const QWidget* dialogOf(const Windows& w, settings::Group group)
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

// What the row's "Unit, range" cell must hold for `f`.
std::vector<std::string> rangeWords(const settings::file::Field& f)
{
    using K = settings::file::Kind;
    switch (f.kind) {
    case K::Number: return {*f.unit ? std::string(f.unit) + ", " : "", "0 to " + std::to_string(f.rule->max)};
    case K::Hex:
    case K::FlagByte: return {"0x00 to 0xFF"};
    case K::CallSign:
    case K::Message:
    case K::GpsMessage: return {"up to " + std::to_string(settings::file::textWidth(f)) + " characters"};
    case K::Baud: {
        std::vector<std::string> bauds;
        for (std::uint8_t code : settings::BaudCodes) bauds.push_back(std::to_string(code * 100));
        return bauds;
    }
    case K::Mode: return {std::begin(settings::file::ModeNames), std::end(settings::file::ModeNames)};
    case K::Switch:
    case K::GpsBit: break;
    }
    return {" or "};
}

TEST(SettingsReference, EveryKeyHasOneControlInItsFormAndItsRowUnderThatLabel)
{
    Rig rig;
    const Windows w = rig.start();
    std::map<std::string, int> controls;
    for (settings::Group group : settings::AllGroups) {
        const auto form = formOf(group);
        EXPECT_EQ(groupTitle(group).toStdString(), form->windowTitle().toStdString());
        for (const QWidget* control : form->findChildren<QWidget*>()) {
            const std::string key = control->property(SettingKeyProperty).toString().toStdString();
            if (key.empty()) continue;
            const settings::file::Field* f = settings::file::findField(key);
            EXPECT_TRUE(f != nullptr && f->group == group) << key << " in " << settings::groupName(group) << "'s form";
            ++controls[key];
        }
    }
    auto rows = referenceRows();
    for (const settings::file::Field& f : settings::file::fields()) {
        const std::string key = settings::file::fullKey(f);
        EXPECT_EQ(controls[key], 1) << key << ": controls in the forms";
        const QString label = keyLabel(key);
        EXPECT_EQ(valueLabel(dialogOf(w, f.group), key), label) << key;
        const auto row = rows.find(key);
        ASSERT_NE(row, rows.end()) << key;
        ASSERT_GE(row->second.size(), 4u) << key;
        EXPECT_EQ(row->second[1], label.toStdString()) << key;
        for (const std::string& word : rangeWords(f))
            EXPECT_NE(row->second[2].find(word), std::string::npos) << key << ": " << word;
        EXPECT_FALSE(row->second[3].empty()) << key << " says nothing of what it does";
        rows.erase(row);
    }
    for (const auto& [key, cells] : rows)
        ADD_FAILURE() << "the reference has a row for " << key << ", which is no value";
}

}  // namespace
