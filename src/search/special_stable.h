// SPDX-License-Identifier: MIT
// The special stable search's state: up to four stables searched at once, and the saved sets of their names.
#pragma once

#include "base/control.h"
#include "base/list_box.h"
#include "shell/main_finder.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace search {

// The special stable search `frmstable` as state: up to four stable names searched in
// one go as an owner search, and saved sets of names kept in a file beside the program,
// one set a line ("N1, N2, N3").
class SpecialStable {
public:
    static constexpr const char* kCaption = "Special Stable Search";
    static constexpr const char* kSavedNamesFile = "HarrowdexSavednames.txt";
    static constexpr int kClientWidth = 5730;   // twips
    static constexpr int kClientHeight = 3585;  // twips
    static constexpr int kBoxes = 4;

    explicit SpecialStable(shell::MainFinder& window) : window_(window) {}

    // Window load: the saved sets.
    void Form_Load() { cmdload_Click(); }
    // "Search!": lists the races of the named stables in the main window and closes.
    void cmdgo_Click();
    // A key typed into box `index`: Enter searches. Returns the key to type.
    int txto1_KeyPress(int index, int keyAscii);
    // "Cancel": closes without searching.
    void cmdcancel_Click();
    // The saved sets: load them from the file, add the boxes' names as a set, delete the
    // selected set, or put its names into the boxes ("Use", or a double click).
    void cmdload_Click();
    void cmdadd_Click();
    void cmddelete_Click();
    void cmduse_Click();
    void lstnames_DblClick() { cmduse_Click(); }

    // The saved names file: in the program's folder, under one spelling of its name for
    // reading and writing alike.
    std::string savedNamesPath() const;
    bool closed() const { return closed_; }

    std::vector<std::pair<std::string_view, base::Control*>> controls();

    base::Control fratrainers{"Trainer Names"};
    std::array<base::Control, kBoxes> lblstable{{{"Stable #1:"}, {"Stable #2:"}, {"Stable #3:"}, {"Stable #4:"}}};
    std::array<base::Control, kBoxes> txto1{};
    base::Control lblnote{
        "Note: wildcard searches may not work with this procedure.  Do not use a * or ? or comma in a name."};
    base::Control cmdgo{"Search!"};
    base::Control cmdcancel{"Cancel"};
    base::Control frasaveload{"Save / Load Names"};
    base::ListBox lstnames;
    base::Control cmdadd{"Add"};
    base::Control cmddelete{"Delete"};
    base::Control cmduse{"Use"};
    base::Control cmdload{"Load"};
    base::Control lblquerystring{"", false};
    bool visible = true;

private:
    std::vector<std::string> typedNames() const;
    void save();
    void close();

    shell::MainFinder& window_;
    bool closed_ = false;
};

// The owner condition list that `gethorse` takes for several stables: the first name,
// then for each further one a double quote, " OR oname=", a double quote and the name.
std::string stableQueryText(const std::vector<std::string>& names);

// The four boxes' texts for a saved set: each name starts two characters after a comma
// (the blank of ", ") and ends before the next; the fourth runs to the end.
std::array<std::string, SpecialStable::kBoxes> namesOfSavedSet(const std::string& set);

}  // namespace search
