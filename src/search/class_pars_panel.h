// SPDX-License-Identifier: MIT
// The class pars window's state: its surface choice, minimum and ID boxes, the line above the table, and the table.
#pragma once

#include "base/grid_model.h"
#include "search/class_pars.h"

#include <optional>
#include <string>

namespace shell {
class MainFinder;
}  // namespace shell

namespace search {

// The class pars window as state. "Show" reads the main window's race store within the
// main window's week bounds and fills the table; with a horse number in the ID box, the
// table gains Form and Margin columns and the rows the horse fits are marked.
class ClassParsPanel {
public:
    static constexpr const char* kCaption = "Class Pars";

    explicit ClassParsPanel(shell::MainFinder& window);

    // False when a box is unusable or the store cannot be read; `lblcount` or a message says why.
    bool cmdshow_Click();
    // The table as CSV, captions first; "Export..." writes it to a file the user names.
    std::string csv() const;
    void cmdexport_Click() const;
    // Whether "Show" has filled the table, which then follows the store.
    bool shown() const { return shown_; }

    int cbosurface = 0;  // both, dirt, turf
    std::string txtminraces = "3";
    std::string txtid;
    std::string lblcount;
    base::GridModel grid;

private:
    std::optional<ParOptions> optionsFromBoxes();
    void fillGrid(const std::vector<ParRow>& table, const Placement* horse);

    shell::MainFinder& window_;
    bool shown_ = false;
};

// The colour of the rows a placed horse fits.
inline constexpr base::Colour kFitColour = base::rgb(220, 240, 220);

}  // namespace search
