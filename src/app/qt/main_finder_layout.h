// SPDX-License-Identifier: MIT
// The main window's fixed layout: where each control, frame and grid stands, in twips.
#pragma once

#include <array>
#include <utility>

namespace app {

// Where the main window's controls stand, in twips within their frame (or the client
// area). The window has a fixed layout; frames keep their contents together.
enum class ControlKind { Frame, WrappedFrame, Label, TextBox, CheckBox, Option, Button };

struct ControlPlace {
    const char* name;
    const char* parent;  // "" for the client area
    ControlKind kind;
    int x, y, width, height;
};

inline constexpr std::array<ControlPlace, 32> kMainFinderPlaces{{
    {"frasearchcriteria", "", ControlKind::Frame, 30, 30, 2890, 3300},
    {"frahorsesorowners", "frasearchcriteria", ControlKind::WrappedFrame, 60, 200, 2770, 1000},
    {"opthorse", "frahorsesorowners", ControlKind::Option, 90, 420, 800, 240},
    {"optowner", "frahorsesorowners", ControlKind::Option, 950, 420, 850, 240},
    {"optrace", "frahorsesorowners", ControlKind::Option, 1850, 420, 800, 240},
    {"optsire", "frahorsesorowners", ControlKind::Option, 90, 700, 450, 240},
    {"optdamsire", "frahorsesorowners", ControlKind::Option, 560, 700, 500, 240},
    {"optdamdamsire", "frahorsesorowners", ControlKind::Option, 1080, 700, 600, 240},
    {"chk2yo", "frahorsesorowners", ControlKind::CheckBox, 1700, 700, 560, 240},
    {"lblnum", "frahorsesorowners", ControlKind::Label, 2280, 715, 150, 240},
    {"txtnum", "frahorsesorowners", ControlKind::TextBox, 2420, 680, 300, 285},
    {"Frame2", "frasearchcriteria", ControlKind::Frame, 60, 1260, 2770, 1060},
    {"lblname", "Frame2", ControlKind::Label, 90, 120, 500, 240},
    {"txthorse", "Frame2", ControlKind::TextBox, 600, 90, 2100, 285},
    {"chkname", "Frame2", ControlKind::CheckBox, 600, 760, 1000, 240},
    {"lblid", "Frame2", ControlKind::Label, 90, 440, 500, 240},
    {"txtid", "Frame2", ControlKind::TextBox, 600, 410, 1300, 285},
    {"chkid", "Frame2", ControlKind::CheckBox, 1650, 760, 1000, 240},
    {"lblfirstweek", "frasearchcriteria", ControlKind::Label, 90, 2390, 1100, 240},
    {"txtfirstweek", "frasearchcriteria", ControlKind::TextBox, 1250, 2360, 600, 285},
    {"lbllastweek", "frasearchcriteria", ControlKind::Label, 90, 2700, 1100, 240},
    {"txtlastweek", "frasearchcriteria", ControlKind::TextBox, 1250, 2670, 600, 285},
    {"chkowner", "frasearchcriteria", ControlKind::CheckBox, 90, 3020, 1750, 240},
    {"cmdspecial", "frasearchcriteria", ControlKind::Button, 1950, 2975, 850, 300},
    {"cmdgethorse", "", ControlKind::Button, 30, 3390, 2890, 380},
    {"frainfo", "", ControlKind::Frame, 2950, 30, 11540, 3740},
    {"framaxspeedstats", "frainfo", ControlKind::Frame, 15, 170, 11510, 1770},
    {"fraspeedstats", "frainfo", ControlKind::Frame, 15, 1960, 3400, 1730},
    {"lblinjurytest", "fraspeedstats", ControlKind::Label, 60, 1340, 1750, 360},
    {"txtinjury", "fraspeedstats", ControlKind::TextBox, 1850, 1380, 450, 285},
    {"lblprogress", "frainfo", ControlKind::Label, 3450, 1990, 6920, 1700},
    {"lblfastest", "frainfo", ControlKind::Label, 4150, 230, 2200, 700},
}};

// Places of the grids: parent, position; their size follows their columns and height.
struct GridPlace {
    const char* name;
    const char* parent;
    int x, y;
};

inline constexpr std::array<GridPlace, 6> kGridPlaces{{
    {"MSFWGrid", "framaxspeedstats", 15, 200},
    {"MSFSGrid", "fraspeedstats", 15, 190},
    {"MSFColorGridKey", "frainfo", 10410, 1990},
    {"MSFSRGrid", "frainfo", 15, 200},
    {"MSFmaxgrid", "frainfo", 15, 1990},
    {"MSFlexGrid1", "", 30, 3830},
}};

// Each box is tied to the label beside it, so that a screen reader names it after the label.
inline constexpr std::array<std::pair<const char*, const char*>, 6> kBoxLabels{{
    {"txthorse", "lblname"},
    {"txtid", "lblid"},
    {"txtfirstweek", "lblfirstweek"},
    {"txtlastweek", "lbllastweek"},
    {"txtinjury", "lblinjurytest"},
    {"txtnum", "lblnum"},
}};

// What a screen reader calls the controls that have no caption, label or frame caption of
// their own to name them.
inline constexpr std::array<std::pair<const char*, const char*>, 6> kSpokenNames{{
    {"chkname", "Search by name"},
    {"chkid", "Search by ID"},
    {"MSFlexGrid1", "Search results"},
    {"MSFColorGridKey", "Color Key"},
    {"MSFSRGrid", "Progeny success"},
    {"MSFmaxgrid", "Progeny speed"},
}};

// Tooltips of the controls whose caption alone may not say enough.
inline constexpr std::array<std::pair<const char*, const char*>, 2> kToolTips{{
    {"chkname", "Search for the horse named in the Name box (with * and ? as wildcards)"},
    {"chkid", "Search for the number in the ID box; a number there counts only while this is ticked"},
}};

// The results grid fills the client area below the panels.
inline constexpr int kResultsGridBottomMargin = 30;
// In the progeny layout the status label moves right of the speed table.
inline constexpr int kProgressProgenyX = 3900;
inline constexpr int kProgressProgenyWidth = 6470;

}  // namespace app
