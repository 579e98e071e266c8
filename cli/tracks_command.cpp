// SPDX-License-Identifier: MIT
#include "tracks_command.h"

#include "default_store.h"
#include "cli_options.h"
#include "shell/edit_tracks.h"
#include "store_window.h"

#include <iostream>
#include <memory>
#include <optional>
#include <vector>

namespace cli {

namespace {

struct TracksOptions {
    std::string db;
    std::vector<std::string> add;  // NUM CODE
    std::optional<int> remove;
};

// Selects the entry of track `num`; false when the list has none.
bool selectTrack(shell::EditTracks& editor, int num) {
    const std::string prefix = shell::trackEntry(num, "");
    for (std::size_t i = 0; i < editor.lsttracks.listCount(); ++i) {
        if (editor.lsttracks.list(i).starts_with(prefix)) {
            editor.lsttracks.setSelected(i, true);
            return true;
        }
    }
    return false;
}

void runTracks(const TracksOptions& options) {
    StoreWindow store(options.db, false);
    shell::EditTracks editor(store.window);
    editor.Form_Load();
    bool done = true;
    if (!options.add.empty()) {
        editor.txttracknum.caption = options.add[0];
        editor.txttrackcode.caption = options.add[1];
        done = editor.cmdaddtrack_Click();
    } else if (options.remove) {
        done = selectTrack(editor, *options.remove) && editor.cmddeletetrack_Click();
        if (!done) writeMessage("The track list has no track " + std::to_string(*options.remove) + ".");
    }
    for (const auto& entry : editor.lsttracks.items()) std::cout << entry << '\n';
    if (!done) throw CommandEnded();
}

}  // namespace

void addTracksCommand(CLI::App& app) {
    auto* command = app.add_subcommand("tracks", "List the track list, after adding or deleting a track.");
    auto options = std::make_shared<TracksOptions>();
    addDbOption(*command, options->db);
    auto* add = command->add_option("--add", options->add, "Add track NUM with the code CODE.")
                    ->expected(2)
                    ->type_name("NUM CODE");
    addNumberOption(*command, "--delete", options->remove, "Delete track NUM.")->excludes(add);
    command->callback([options] { runTracks(*options); });
}

}  // namespace cli
