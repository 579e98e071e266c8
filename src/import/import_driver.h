// SPDX-License-Identifier: MIT
// Importing weekly results files into the race store, from the window's command or the command line.
#pragma once

#include "import/file_list.h"
#include "shell/window_session.h"
#include "store/search_indexes.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace store {
class Database;
}

namespace import {

class Import;

enum class ImportResult { Done, Cancelled, Failed };

// What the import of one file stored. A race whose number the store holds already is left
// out, never stored twice: a week may come in two files, and a corrected file of a week
// adds only the races that the first one lacked.
struct FileImported {
    std::string file;
    int week = 0;
    int racesStored = 0;
    int racesLeftOut = 0;
};

// The status text's line about the races of `file` left out as stored already.
std::string racesLeftOutLine(const std::string& file, int count);

// "Import Race Data" (`cmdimportdata`): asks for the results files, then imports them
// into the window's race store. A cancelled dialog ends it silently.
ImportResult cmdimportdata_Click(shell::WindowSession& window);

// Imports results files, in the given order, into the race store at `storePath`. Each
// file is stored whole or not at all: its races, its runners and the removal of the week
// it replaces share one transaction. A failure ends the import at that file, with the
// files before it kept; the status label of `window` tells the user which file failed.
ImportResult importFiles(shell::WindowSession& window, const std::string& storePath,
                         const std::vector<ChosenFile>& files);

// Imports results files one at a time into an open store, each exactly as importFiles
// does, but asks nothing: a file whose first race is stored already (where importFiles
// would ask whether to over-write its week) is left as it is. The week check runs under
// the store's write lock, so of two programs importing the same file one stores it and
// the other finds it stored. The non-winner count spans the files, as in one import.
// Its progress goes to `dialogs` as an import's does, counting `fileCount` files.
class UnattendedImport {
public:
    UnattendedImport(store::Database& db, base::UserDialogs& dialogs, std::size_t fileCount = 1);
    ~UnattendedImport();

    // What was stored of the file at `index` among the files, or nothing when its first
    // race was stored already. A failure throws, with the file's week as it was (see
    // failureReason).
    std::optional<FileImported> importFile(const ChosenFile& file, int index = 0);

private:
    std::string status_;
    std::unique_ptr<Import> import_;
};

// A large import's bulk load (see store::BulkLoad): begun when the files bring at least as
// many runs as the store holds, unless another program's bulk load is underway (whose end
// builds the indexes anyway); nothing otherwise.
std::optional<store::BulkLoad> bulkLoadIfWorthIt(store::Database& db, const std::vector<ChosenFile>& files);

// Ends a bulk load, if one was begun, by building its indexes again, however the import
// ended: the message telling the user that this failed, or nothing.
std::optional<std::string> finishBulkLoad(std::optional<store::BulkLoad>& bulkLoad);

// Why a file failed, as the import's status text gives it below the file's name (the
// reading's reason, ending with a full stop); empty for a failure that is not the file's.
std::string failureReason(const std::exception& error);

// How the import's file dialog is set up.
base::FileDialogOptions importDialogOptions();

}  // namespace import
