// SPDX-License-Identifier: MIT
// The watch list carried between race stores: exported with its notes to a file, and a file's list joined into a
// store's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace shell {
class WindowSession;
}  // namespace shell

namespace watch {

// The file dialogs' filter.
inline const std::string kWatchListFilter = "Watch lists (*.json)|*.json|All files (*.*)|*.*";

// How many were written to the file.
struct ExportCount {
    std::size_t horses = 0;
    std::size_t stables = 0;
};

struct NamedHorse {
    std::int64_t hid = 0;
    std::string name;

    bool operator==(const NamedHorse&) const = default;
};

// What an import did. A note is joined when the imported note is added below the store's
// (or stands in for an empty one); where the two would be longer than a note may be, the
// store's note is kept whole and the imported one cut, and the horse or stable is named.
struct ImportAccount {
    int horsesAdded = 0;
    int stablesAdded = 0;
    int notesJoined = 0;
    std::vector<NamedHorse> horsesLeftOut;  // no run of that number stored; the file's name
    std::vector<std::string> stablesLeftOut;
    std::vector<NamedHorse> horseNotesCut;
    std::vector<std::string> stableNotesCut;
};

// Writes the window's store's list to `path`, whole or not at all. Nothing, the user told
// why, when the list cannot be read or the file cannot be written.
std::optional<ExportCount> exportWatchList(shell::WindowSession& window, const std::string& path);

// Joins the list of the file at `path` into the store's, in one transaction: a horse by
// number, a stable by name ignoring letter case; one the store holds no run of is left out;
// one not yet watched is watched with its note, dated as watching it now would be; one
// already watched keeps its date and takes in the imported note. Nothing, the user told
// why and the list unchanged, for a file that cannot be read or is not a watch list, or a
// store that cannot be written.
std::optional<ImportAccount> importWatchList(shell::WindowSession& window, const std::string& path);

// The account in lines: the counts, then those left out and those cut, when there are any.
std::vector<std::string> accountLines(const ImportAccount& account);

// The watch list window's buttons: the file chosen in a dialog, the account of an import
// shown in a message. True when a file was written, or the list imported.
bool cmdexportwatch_Click(shell::WindowSession& window);
bool cmdimportwatch_Click(shell::WindowSession& window);

}  // namespace watch
