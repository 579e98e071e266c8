// SPDX-License-Identifier: MIT
#include "search/criteria_panel.h"

#include "progeny/getsires.h"
#include "search/gethorse.h"
#include "store/stored_name.h"

#include <optional>

namespace search {

namespace {

void showSireControls(shell::MainFinder& window, bool show) {
    for (auto* control : {&window.chk2yo, &window.lblnum, &window.txtnum}) control->visible = show;
}

bool isDigit(int key) { return key >= '0' && key <= '9'; }

int discard(shell::MainFinder& window) {
    window.dialogs().beep();
    return 0;
}

}  // namespace

void setupnormalsearch(shell::MainFinder& window) {
    window.chkid.enabled = true;
    window.chkname.enabled = true;
    window.chkid.checked = false;
    window.chkname.checked = true;
    showSireControls(window, false);
}

void setupsiresearch(shell::MainFinder& window) {
    window.chkid.checked = false;
    window.chkid.enabled = false;
    window.chkname.enabled = true;
    window.chkname.checked = true;
    showSireControls(window, true);
}

void opthorse_Click(shell::MainFinder& window) {
    window.selectSearchKind(window.opthorse);
    setupnormalsearch(window);
}

void optowner_Click(shell::MainFinder& window) {
    window.selectSearchKind(window.optowner);
    setupnormalsearch(window);
    window.chkid.enabled = false;
}

void optrace_Click(shell::MainFinder& window) {
    window.selectSearchKind(window.optrace);
    window.chkid.enabled = true;
    window.chkname.enabled = false;
    window.chkname.checked = false;
    window.chkid.checked = true;
    showSireControls(window, false);
}

void optsire_Click(shell::MainFinder& window) {
    window.selectSearchKind(window.optsire);
    setupsiresearch(window);
}

void optdamsire_Click(shell::MainFinder& window) {
    window.selectSearchKind(window.optdamsire);
    setupsiresearch(window);
}

void optdamdamsire_Click(shell::MainFinder& window) {
    window.selectSearchKind(window.optdamdamsire);
    setupsiresearch(window);
}

void cmdgethorse_click(shell::MainFinder& window) {
    std::optional<SearchKind> opt;
    if (window.opthorse.checked) {
        if (window.chkname.checked) opt = window.chkid.checked ? kHorseByNameAndNumber : kHorseByName;
        else opt = window.chkid.checked ? kHorseByNumber : kHorseByName;
    }
    if (window.optowner.checked) opt = kOwner;
    if (window.optrace.checked) opt = kRace;
    if (window.optsire.checked || window.optdamsire.checked || window.optdamdamsire.checked) {
        progeny::getsires(window, std::string(store::storedHorseName(window.txthorse.caption)));
        return;
    }
    if (!opt) return;  // no kind selected
    // Horse names are stored with at most 25 characters; an owner's name is stored whole.
    const std::string& typed = window.txthorse.caption;
    gethorse(window, *opt, opt == kOwner ? typed : std::string(store::storedHorseName(typed)), window.txtid.caption);
}

bool listHorse(shell::MainFinder& window, const std::string& name, const std::string& number) {
    opthorse_Click(window);
    window.chkid.checked = true;
    window.txthorse.caption = name;
    window.txtid.caption = number;
    return gethorse(window, kHorseByNameAndNumber, name, number);
}

int txtweekOrNumber_KeyPress(shell::MainFinder& window, int keyAscii) {
    return isDigit(keyAscii) || keyAscii == kBackspace ? keyAscii : discard(window);
}

int txtid_KeyPress(shell::MainFinder& window, int keyAscii) {
    if (keyAscii == kEnter) {
        cmdgethorse_click(window);
        return 0;
    }
    const bool accepted = isDigit(keyAscii) || keyAscii == kBackspace || keyAscii == '.' || keyAscii == '*' ||
                          keyAscii == '?';
    return accepted ? keyAscii : discard(window);
}

int txthorse_Keypress(shell::MainFinder& window, int keyAscii) {
    if (keyAscii == kEnter) {
        cmdgethorse_click(window);
        return 0;
    }
    return keyAscii;
}

}  // namespace search
