// SPDX-License-Identifier: MIT
#pragma once

#include "sample_store.h"
#include "scripted_dialogs.h"
#include "shell/main_finder.h"
#include "app/qt/main_finder_window.h"
#include "store/schema.h"
#include "test_folder.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace testing_support {

// Makes the main window of `state` and shows it headless, once it is on the screen.
inline void showMainWindow(shell::MainFinder& state, std::unique_ptr<app::MainFinderWindow>& window) {
    window = std::make_unique<app::MainFinderWindow>(state);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

// The main window shown over an empty race store, started as the program starts without
// a breeding file, today fixed at day 40000. `Dialogs` answers the core's questions.
template <typename Dialogs>
class EmptyStoreWindowWith : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startUp());
        showWindow();
    }
    // The two halves of SetUp, for a test that puts something in place before either.
    void startUp() {
        store::createRaceStore(folder / "horses.mdb");
        ASSERT_TRUE(finder.Form_Load({folder.path().string(), (folder / "breeding.txt").string()}));
        finder.setClock(clock);
    }
    void showWindow() { showMainWindow(finder, window); }

    TestFolder folder;
    Dialogs dialogs;
    shell::MainFinder finder{dialogs};
    base::FixedClock clock{40000};
    std::unique_ptr<app::MainFinderWindow> window;
};

using EmptyStoreWindow = EmptyStoreWindowWith<ScriptedDialogs>;

// The main window shown over the sample weeks of SampleStore, whose state is `window`;
// the shown window is `view`.
class SampleStoreWindow : public SampleStore {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(SampleStore::SetUp());
        showWindow();
    }
    void showWindow() { showMainWindow(window, view); }

    std::unique_ptr<app::MainFinderWindow> view;
};

}  // namespace testing_support
