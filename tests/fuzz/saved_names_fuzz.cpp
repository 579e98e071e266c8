// SPDX-License-Identifier: MIT
// Any bytes in the saved names file must load as sets of names: never a crash, a hang or a
// read outside a set. "Use" puts only pieces of the set into the boxes, and a set deleted
// and saved leaves the other sets to be loaded back exactly as they were.
#include "search/special_stable.h"
#include "shell/main_finder.h"

#include "scripted_dialogs.h"
#include "test_folder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// One window for the whole run: the saved names file lives in its (store-less) folder.
shell::MainFinder& window() {
    static testing_support::TestFolder folder;
    static testing_support::ScriptedDialogs dialogs;
    static shell::MainFinder finder(dialogs);
    static const bool started = (finder.Form_Load({folder.path().string(), ""}), true);
    (void)started;
    return finder;
}

void useEachSet(search::SpecialStable& stable) {
    constexpr std::size_t kSetsTried = 64;  // enough to reach every shape; keeps each run quick
    for (std::size_t i = 0; i < std::min(stable.lstnames.listCount(), kSetsTried); ++i) {
        stable.lstnames.setSelected(i, true);
        stable.cmduse_Click();
        const std::string& set = stable.lstnames.list(i);
        for (const auto& box : stable.txto1)
            if (box.caption.size() > set.size() || set.find(box.caption) == std::string::npos) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    shell::MainFinder& finder = window();
    search::SpecialStable stable(finder);
    testing_support::writeBytes(stable.savedNamesPath(), std::string(reinterpret_cast<const char*>(data), size));
    stable.Form_Load();
    for (const auto& set : stable.lstnames.items())
        if (set.empty() || set.find('\n') != std::string::npos) __builtin_trap();
    useEachSet(stable);
    if (stable.lstnames.listCount() == 0) return 0;

    std::vector<std::string> kept(stable.lstnames.items().begin() + 1, stable.lstnames.items().end());
    stable.lstnames.setSelected(0, true);
    stable.cmddelete_Click();
    search::SpecialStable reopened(finder);
    reopened.Form_Load();
    if (reopened.lstnames.items() != kept) __builtin_trap();
    return 0;
}
