// SPDX-License-Identifier: MIT
// Files the program reads or writes beside its store that are not what they should be: a
// folder, a FIFO, a device or an oversized file is refused at once (never waited on, never
// read whole), and a link planted where a temporary file will go is never followed.
#include "program_runner.h"
#include "import/results_file_source.h"
#include "lineage/server_address.h"
#include "progeny/breeding_file.h"
#include "scripted_dialogs.h"
#include "search/horse_finder_panel.h"
#include "search/special_stable.h"
#include "base/atomic_file.h"
#include "shell/main_finder.h"
#include "base/regular_file.h"
#include "store/schema.h"
#include "test_folder.h"

#include <gmock/gmock.h>

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <thread>
#include <unistd.h>

namespace {

using ::testing::HasSubstr;
using testing_support::readBytes;
using testing_support::writeBytes;
using namespace std::chrono_literals;

enum class Kind { Folder, Fifo, LinkToDevice, Oversized };

// Makes `path` a thing of `kind`; an oversized file holds `line` over and over.
void plant(const std::filesystem::path& path, Kind kind, const std::string& line = "x\r\n") {
    switch (kind) {
    case Kind::Folder:
        std::filesystem::create_directory(path);
        break;
    case Kind::Fifo:
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        break;
    case Kind::LinkToDevice:
        std::filesystem::create_symlink("/dev/zero", path);
        break;
    case Kind::Oversized: {
        std::string text;
        while (text.size() <= base::kSideFileLimit) text += line;
        writeBytes(path, text);
        break;
    }
    }
}

// Should a reader wait for a writer on a FIFO, this gives it an empty one after a while,
// so that the test fails on the time taken instead of hanging.
class FifoRelease {
public:
    explicit FifoRelease(std::filesystem::path fifo)
        : thread_([this, fifo = std::move(fifo)] {
              const auto release = std::chrono::steady_clock::now() + 2s;
              while (!done_ && std::chrono::steady_clock::now() < release) std::this_thread::sleep_for(10ms);
              while (!done_) {
                  const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                  if (fd >= 0) ::close(fd);
                  std::this_thread::sleep_for(10ms);
              }
          }) {}
    ~FifoRelease() {
        done_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// Runs `read` with a FIFO release at `path`, and tells whether it came back at once.
bool returnsAtOnce(const std::filesystem::path& path, const std::function<void()>& read) {
    const FifoRelease release(path);
    const auto start = std::chrono::steady_clock::now();
    read();
    return std::chrono::steady_clock::now() - start < 1s;
}

const std::vector<std::pair<const char*, Kind>> kKinds{{"folder", Kind::Folder},
                                                       {"FIFO", Kind::Fifo},
                                                       {"link to a device", Kind::LinkToDevice},
                                                       {"oversized file", Kind::Oversized}};

// The left-out owners file holds one owner a line for the four boxes: a link to some other
// file, longer than that, is not read into them; a short one of the program's is.
TEST(SideFiles, LeftOutOwnersFromAFileOfMoreLinesThanBoxesAreNotRead) {
    testing_support::TestFolder folder;
    testing_support::ScriptedDialogs dialogs;
    shell::MainFinder window(dialogs);
    store::createRaceStore(folder / "horses.mdb");
    ASSERT_TRUE(window.Form_Load({folder.path().string() + "/", ""}));
    writeBytes(folder / "other.txt", "root:x:0:0\nbin:x:1:1\nsys:x:2:2\nsync:x:3:3\ngames:x:4:4\n");
    std::filesystem::create_symlink(folder / "other.txt", folder / search::HorseFinderPanel::kExcludedOwnersFile);
    search::HorseFinderPanel linked(window);
    linked.loadExcludedOwners();
    EXPECT_EQ(linked.txtexclude, decltype(linked.txtexclude){});
    writeBytes(folder / "other.txt", "Reid Thoroughbreds\r\n\nCrane Stables\n");
    search::HorseFinderPanel kept(window);
    kept.loadExcludedOwners();
    EXPECT_EQ(kept.txtexclude, (decltype(kept.txtexclude){"Reid Thoroughbreds", "", "Crane Stables", ""}));
}

TEST(SideFiles, ThatAreNoSmallRegularFilesCountAsDamaged) {
    for (const auto& [name, kind] : kKinds) {
        SCOPED_TRACE(name);
        testing_support::TestFolder folder;
        store::createRaceStore(folder / "horses.mdb");
        const std::string programFolder = folder.path().string() + "/";

        plant(folder / "HarrowdexSettings.ini", kind, " 9999 9999 9999 9999 9999 9999 9999 9999 9999 0 \r\n");
        testing_support::ScriptedDialogs dialogs;
        shell::MainFinder window(dialogs);
        EXPECT_TRUE(returnsAtOnce(folder / "HarrowdexSettings.ini", [&] {
            EXPECT_TRUE(window.Form_Load({programFolder, ""}));
        }));
        EXPECT_EQ(window.MSFlexGrid1.columnWidth(0), 1250) << "the reset widths";
        EXPECT_TRUE(dialogs.messages.empty()) << "no message at start-up";

        plant(folder / search::SpecialStable::kSavedNamesFile, kind, "Some Stable, Another\r\n");
        search::SpecialStable stable(window);
        EXPECT_TRUE(returnsAtOnce(folder / search::SpecialStable::kSavedNamesFile, [&] { stable.cmdload_Click(); }));
        EXPECT_TRUE(stable.lstnames.items().empty());

        plant(folder / search::HorseFinderPanel::kExcludedOwnersFile, kind, "Some Stable\r\n");
        search::HorseFinderPanel finder(window);
        EXPECT_TRUE(returnsAtOnce(folder / search::HorseFinderPanel::kExcludedOwnersFile,
                                  [&] { finder.loadExcludedOwners(); }));
        EXPECT_EQ(finder.txtexclude, decltype(finder.txtexclude){});

        plant(folder / lineage::kServerFile, kind, "http://elsewhere:8080");
        EXPECT_TRUE(returnsAtOnce(folder / lineage::kServerFile, [&] {
            EXPECT_EQ(lineage::serverAddress(programFolder), lineage::defaultServerAddress());
        }));
    }
}

TEST(SideFiles, InputsThatAreNoRegularFilesGetTheirCommandsMessageAtOnce) {
    testing_support::TestFolder folder;
    for (const auto& [name, kind] : kKinds) {
        if (kind == Kind::Oversized) continue;  // a large regular file is read as any other
        SCOPED_TRACE(name);
        const auto path = folder / name;
        plant(path, kind);
        EXPECT_TRUE(returnsAtOnce(path, [&] {
            try {
                import::readResultsFile(path.string());
                ADD_FAILURE() << "a results file was read";
            } catch (const import::UnreadableFile& error) {
                EXPECT_THAT(error.what(), HasSubstr("is not a regular file"));
            }
        }));
        std::string why;
        EXPECT_TRUE(returnsAtOnce(path, [&] { EXPECT_EQ(progeny::BreedingFile::open(path.string(), why), nullptr); }));
        EXPECT_EQ(why, "It is not a regular file.");
        testing_support::ProgramResult page;
        EXPECT_TRUE(returnsAtOnce(path, [&] {
            page = testing_support::runCli({"lineage", "--id", "7", "--page", path.string()});
        }));
        EXPECT_EQ(page.status, 1);
        EXPECT_THAT(page.err, HasSubstr("The page file " + path.string() + " is not a regular file"));
    }
}

TEST(SideFiles, WritesNeverFollowALinkPlantedBesideTheFile) {
    testing_support::TestFolder folder;
    testing_support::TestFolder elsewhere;
    const auto victim = elsewhere / "victim.txt";
    writeBytes(victim, "keep me");
    const auto settings = folder / "HarrowdexSettings.ini";
    std::filesystem::create_symlink(victim, folder / "HarrowdexSettings.ini.tmp");
    EXPECT_EQ(base::writeFileAtomically(settings, "new settings\r\n"), std::nullopt);
    EXPECT_EQ(readBytes(settings), "new settings\r\n");
    EXPECT_EQ(readBytes(victim), "keep me");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "HarrowdexSettings.ini.tmp"));
    EXPECT_EQ(folder.entries().size(), 2U) << "no temporary file left";
}

TEST(SideFiles, TheReaderTellsWhatItRefused) {
    testing_support::TestFolder folder;
    writeBytes(folder / "small", "abc");
    writeBytes(folder / "large", std::string(5000, 'x'));
    EXPECT_EQ(base::readRegularFile(folder / "small", 3).bytes, "abc");
    EXPECT_EQ(base::readRegularFile(folder / "large", 4999).problem, base::FileProblem::TooLarge);
    EXPECT_EQ(base::readRegularFile("/dev/zero", 10).problem, base::FileProblem::NotRegular);
    EXPECT_EQ(base::readRegularFile(folder / "none", 10).problem, base::FileProblem::Missing);
}

}  // namespace
