// SPDX-License-Identifier: MIT
// The main window's criteria panel: the kind of search chosen and the boxes each kind uses.
#pragma once

#include "shell/main_finder.h"

#include <string>

namespace search {

// The criteria panel's kinds of search: each button sets up the boxes it uses.
void setupnormalsearch(shell::MainFinder& window);
void setupsiresearch(shell::MainFinder& window);
void opthorse_Click(shell::MainFinder& window);
void optowner_Click(shell::MainFinder& window);
void optrace_Click(shell::MainFinder& window);
void optsire_Click(shell::MainFinder& window);
void optdamsire_Click(shell::MainFinder& window);
void optdamdamsire_Click(shell::MainFinder& window);

// "GO!": chooses the kind of search from the panel and runs it.
void cmdgethorse_click(shell::MainFinder& window);
// Lists a horse by name and number with the panel set as for that search ("Horse", both
// boxes filled and ticked), so that "GO!" lists it again. True when it listed runs.
bool listHorse(shell::MainFinder& window, const std::string& name, const std::string& number);

// The key filters of the panel's boxes, given the typed character's code. Each returns
// the code to type: 0 when the key is discarded (with the beep). Enter in the name and
// number boxes starts the search.
constexpr int kEnter = 13;
constexpr int kBackspace = 8;
int txtweekOrNumber_KeyPress(shell::MainFinder& window, int keyAscii);  // first/last week, threshold, count
int txtid_KeyPress(shell::MainFinder& window, int keyAscii);
int txthorse_Keypress(shell::MainFinder& window, int keyAscii);

}  // namespace search
