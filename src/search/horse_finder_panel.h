// SPDX-License-Identifier: MIT
// The horse finder window's state: its criteria boxes, their messages, the count line and the results.
#pragma once

#include "search/horse_finder.h"
#include "base/grid_model.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace shell {
class MainFinder;
}  // namespace shell

namespace search {

// The horse finder window as state: the criteria boxes as the user typed them, the
// message beside each box that cannot be used, the count line and the results grid.
// The window shows it and forwards the user's events to it.
class HorseFinderPanel {
public:
    static constexpr const char* kCaption = "Find Horses";
    static constexpr const char* kExcludedOwnersFile = "HarrowdexExcludedOwners.txt";
    static constexpr int kOwnerBoxes = 4;
    // The result grid's columns that the commands read.
    static constexpr int kNameColumn = 0;
    static constexpr int kNumberColumn = 1;
    static constexpr int kOwnerColumn = 2;
    static constexpr int kClassColumn = 4;
    // Name, owner and class are texts (left-aligned, sorted as text); every other column a figure.
    static constexpr bool isTextColumn(int column) {
        return column == kNameColumn || column == kOwnerColumn || column == kClassColumn;
    }

    explicit HorseFinderPanel(shell::MainFinder& window);

    // "Find": checks the boxes, then searches the main window's race store and fills the
    // grid. False when a box holds something unusable or the search could not run; the
    // messages say why.
    bool cmdfind_Click();
    // Enter or a double click on a data row: lists that horse in the main window.
    void listHorse(int row);
    // The horse numbers of the selected data rows, top to bottom.
    std::vector<std::int64_t> selectedIds() const;
    // The grid as CSV, captions first; "Export..." writes it to a file the user names.
    std::string csv() const;
    void cmdexport_Click() const;
    // The class codes the race store holds, for the class list; none when it cannot be read.
    std::vector<std::string> classCodes() const;
    // Loads and saves the left-out owners, kept one a line beside the program.
    void loadExcludedOwners();
    void saveExcludedOwners();

    // The boxes, with their defaults.
    std::string txtactive = "4";
    int cbosurface = 0;  // any, dirt, turf
    std::string txtmindist;
    std::string txtmaxdist;
    bool optaverage = false;  // best speed when false
    std::string txtlast = "3";
    std::string txtminspeed;
    std::vector<std::string> classes;  // chosen class codes; none is any
    std::string txtmaxclaim;
    std::string txtage;
    std::string txtminstarts;
    std::string txtmaxwins;
    std::array<std::string, kOwnerBoxes> txtexclude{};

    // Box name -> the message shown beside it.
    std::map<std::string, std::string> problems;
    std::string lblcount;
    base::GridModel grid;

private:
    std::optional<FindCriteria> criteria();
    void fillGrid(const FindCriteria& criteria, const FindResult& result);

    shell::MainFinder& window_;
    std::array<std::string, kOwnerBoxes> savedOwners_{};
};

}  // namespace search
