// SPDX-License-Identifier: MIT
// The crosses window's state: its boxes, age choice, count line and table, and the "Show" command.
#pragma once

#include "progeny/cross_table.h"
#include "base/grid_model.h"

#include <string>

namespace shell {
class MainFinder;
class MainListing;
}  // namespace shell

namespace progeny {

// The crosses window as state: the sire and dam-sire boxes, the age choice, the minimum
// of starters, the line above the table and the table. The window shows it and forwards
// the user's events to it.
class CrossesPanel {
public:
    static constexpr const char* kCaption = "Crosses";
    static constexpr int kNameColumn = 0;
    static constexpr int kNumberColumn = 1;  // of the offspring of both

    // `listing` lists an offspring of both in the main window.
    CrossesPanel(shell::MainFinder& window, shell::MainListing& listing);

    // "Show": reads the main window's breeding file and race store and fills the table.
    // False when a box is unusable or the table could not be made; `lblcount` or a
    // message says why. A damaged breeding line gives the progeny search's message,
    // with the rows of the offspring before it.
    bool cmdshow_Click();
    // Whether the table lists single offspring, which a double click lists in the main window.
    bool listsHorses() const { return mode_ == CrossMode::Offspring && grid.rows() > 1; }
    void listHorse(int row);
    // The table as CSV, captions first; "Export..." writes it to a file the user names.
    std::string csv() const;
    void cmdexport_Click() const;

    std::string txtsire;
    std::string txtdamsire;
    int cboages = 0;  // all offspring, two-year-olds, older
    std::string txtminstarters = "3";
    std::string lblcount;
    base::GridModel grid;

private:
    void fillGrid(const CrossTable& table);

    shell::MainFinder& window_;
    shell::MainListing& listing_;
    CrossMode mode_ = CrossMode::ByDamSire;
};

}  // namespace progeny
