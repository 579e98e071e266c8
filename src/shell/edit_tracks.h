// SPDX-License-Identifier: MIT
// The track list editor's state: the stored tracks, and adding or deleting one.
#pragma once

#include "base/control.h"
#include "base/list_box.h"
#include "shell/main_finder.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace shell {

// The track list editor `frmedittracks` as state: the tracks of `statecodes` as
// "07: ABC" entries, and the boxes of a track to add. A track is never changed in
// place: it is deleted and added again. Each action opens the store and closes it.
class EditTracks {
public:
    static constexpr const char* kCaption = "Edit Tracks";
    static constexpr int kClientWidth = 3870;   // twips
    static constexpr int kClientHeight = 4620;  // twips

    explicit EditTracks(MainFinder& window) : window_(window) {}

    // Window load: fills the list.
    void Form_Load();
    // "Add Track": adds the typed number and code unless the number is not a track
    // number (0 to 99, rounded to a whole number, halves to even) or is listed already.
    // True when the track was added.
    bool cmdaddtrack_Click();
    // "Delete Track": deletes the track of the selected entry. True unless nothing was
    // selected or the store failed.
    bool cmddeletetrack_Click();

    std::vector<std::pair<std::string_view, base::Control*>> controls();

    base::Control fraaddtrack{"Add Track . . ."};
    base::Control lbltracknum{"Track #:"};
    base::Control txttracknum{""};
    base::Control lbltrackcode{"Track Code:"};
    base::Control txttrackcode{""};
    base::Control cmdaddtrack{"Add Track"};
    base::Control fratracklist{"Current Track List"};
    base::ListBox lsttracks;
    base::Control cmddeletetrack{"Delete Track"};

private:
    void fillList();
    // Runs `work` on the open store, opened to be changed unless `change` is false; a
    // store failure is reported. False then.
    template <typename Work>
    bool withStore(Work work, bool change = true);

    MainFinder& window_;
};

// A track's entry in the list: the number with at least two digits, ": ", the code.
std::string trackEntry(int num, const std::string& stcode);

}  // namespace shell
