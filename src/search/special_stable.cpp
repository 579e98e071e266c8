// SPDX-License-Identifier: MIT
#include "search/special_stable.h"

#include "search/gethorse.h"
#include "base/atomic_file.h"
#include "base/regular_file.h"

#include <sstream>

namespace search {

namespace {

constexpr int kEnter = 13;
const char* const kLineEnd = "\r\n";
const char* const kSetSeparator = ", ";

}  // namespace

std::string stableQueryText(const std::vector<std::string>& names) {
    std::string query;
    for (std::size_t i = 0; i < names.size(); ++i) query += (i == 0 ? "" : "\" OR oname=\"") + names[i];
    return query;
}

std::array<std::string, SpecialStable::kBoxes> namesOfSavedSet(const std::string& set) {
    std::array<std::string, SpecialStable::kBoxes> boxes;
    std::size_t comma = set.find(',');
    boxes[0] = set.substr(0, comma);
    for (std::size_t box = 1; box < boxes.size() && comma != std::string::npos; ++box) {
        const std::size_t start = comma + 2;
        comma = set.find(',', comma + 1);
        const std::size_t end = box + 1 < boxes.size() && comma != std::string::npos ? comma : set.size();
        if (start < end) boxes[box] = set.substr(start, end - start);
    }
    return boxes;
}

std::vector<std::string> SpecialStable::typedNames() const {
    std::vector<std::string> names;
    for (const auto& box : txto1)
        if (!box.caption.empty()) names.push_back(box.caption);
    return names;
}

void SpecialStable::cmdgo_Click() {
    lblquerystring.caption.clear();
    const auto names = typedNames();
    if (names.empty()) {
        window_.dialogs().message("You must enter at least one trainer's name.", base::kAppTitle);
        return;
    }
    lblquerystring.caption = stableQueryText(names);
    visible = false;
    gethorse(window_, kOwner, lblquerystring.caption, "");
    close();
}

int SpecialStable::txto1_KeyPress(int, int keyAscii) {
    if (keyAscii == kEnter) cmdgo_Click();
    return keyAscii;
}

void SpecialStable::cmdcancel_Click() { close(); }

void SpecialStable::close() {
    visible = false;
    closed_ = true;
}

std::string SpecialStable::savedNamesPath() const { return window_.programFolder() + kSavedNamesFile; }

void SpecialStable::cmdload_Click() {
    lstnames.clear();
    // A file that is no small regular file is not one this program wrote: no sets.
    const auto file = base::readRegularFile(savedNamesPath(), base::kSideFileLimit);
    std::istringstream lines(file.bytes);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lstnames.addItem(line);
    }
}

void SpecialStable::cmdadd_Click() {
    std::string set;
    for (const auto& name : typedNames()) set += (set.empty() ? "" : kSetSeparator) + name;
    if (!set.empty()) lstnames.addItem(set);
    else window_.dialogs().message("Please enter at least one Stable into the textboxes provided.", base::kAppTitle);
    save();
}

void SpecialStable::cmddelete_Click() {
    const auto selected = lstnames.listIndex();
    if (!selected) {
        window_.dialogs().message("Please select a set of stables to delete.", base::kAppTitle);
        return;
    }
    lstnames.removeItem(*selected);
    save();
}

void SpecialStable::cmduse_Click() {
    const auto selected = lstnames.listIndex();
    if (!selected) {
        window_.dialogs().message("Please select a set of names to use.", base::kAppTitle);
        return;
    }
    const auto names = namesOfSavedSet(lstnames.list(*selected));
    for (std::size_t i = 0; i < txto1.size(); ++i) txto1[i].caption = names[i];
}

void SpecialStable::save() {
    std::string contents;
    for (const auto& set : lstnames.items()) contents += set + kLineEnd;
    if (const auto problem = base::writeFileAtomically(savedNamesPath(), contents))
        window_.dialogs().message(*problem, base::kAppTitle);
}

std::vector<std::pair<std::string_view, base::Control*>> SpecialStable::controls() {
    static constexpr std::array<std::string_view, kBoxes> kBoxNames{"txto1_0", "txto1_1", "txto1_2", "txto1_3"};
    static constexpr std::array<std::string_view, kBoxes> kLabelNames{"lblstable_0", "lblstable_1", "lblstable_2",
                                                                       "lblstable_3"};
    std::vector<std::pair<std::string_view, base::Control*>> all{
        {"fratrainers", &fratrainers},      {"lblnote", &lblnote},         {"cmdgo", &cmdgo},
        {"cmdcancel", &cmdcancel},          {"frasaveload", &frasaveload}, {"cmdadd", &cmdadd},
        {"cmddelete", &cmddelete},          {"cmduse", &cmduse},           {"cmdload", &cmdload},
        {"lblquerystring", &lblquerystring}};
    for (std::size_t i = 0; i < txto1.size(); ++i) {
        all.emplace_back(kLabelNames[i], &lblstable[i]);
        all.emplace_back(kBoxNames[i], &txto1[i]);
    }
    return all;
}

}  // namespace search
