// The settings reference (docs/settings.md) against the table of value
// names: every value has its row in its group's section, under the label the
// desktop program's messages give it, with the table's unit and range; and
// the reference has no row for a key the table does not know.

#include "settings_file/value_names.h"

#include <gtest/gtest.h>

#include <cstdio>
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

std::string hexByte(std::uint32_t byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

TEST(SettingsReference, EveryValueHasItsRowWithTheTablesLabelUnitAndRange)
{
    using Sort = settings::ValueName::Sort;
    auto rows = referenceRows();
    for (const settings::ValueName& name : settings::valueNames()) {
        const auto row = rows.find(name.key);
        ASSERT_NE(row, rows.end()) << name.key;
        ASSERT_GE(row->second.size(), 4u) << name.key;
        EXPECT_EQ(row->second[1], name.label) << name.key;
        const std::string& range = row->second[2];
        const std::string span = std::to_string(name.min) + " to " + std::to_string(name.max);
        switch (name.sort) {
        case Sort::Number:
            EXPECT_NE(range.find(span), std::string::npos) << name.key << ": " << range;
            if (*name.unit) {
                EXPECT_TRUE(range.starts_with(std::string(name.unit) + ", ")) << name.key;
            }
            break;
        case Sort::Hex:
            EXPECT_NE(range.find(hexByte(name.min) + " to " + hexByte(name.max)), std::string::npos) << name.key;
            break;
        case Sort::Text: EXPECT_EQ(range, "up to " + std::to_string(name.max) + " characters") << name.key; break;
        case Sort::Choice:
            for (const std::string& choice : name.choices)
                EXPECT_NE(range.find(choice), std::string::npos) << name.key << ": " << choice;
            break;
        case Sort::Switch: EXPECT_NE(range.find(" or "), std::string::npos) << name.key; break;
        }
        EXPECT_FALSE(row->second[3].empty()) << name.key << " says nothing of what it does";
        rows.erase(row);
    }
    for (const auto& [key, cells] : rows)
        ADD_FAILURE() << "the reference has a row for " << key << ", which is no value";
}

}  // namespace
