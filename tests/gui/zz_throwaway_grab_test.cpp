// SPDX-License-Identifier: MIT
#include "sample_store.h"
#include "shell/main_finder_window.h"
#include "search/criteria_panel.h"
#include <QPixmap>
#include <gtest/gtest.h>
namespace {
class Grab : public testing_support::SampleStore {};
TEST_F(Grab, Shot) {
    // As start-up leaves the window when it finds the breeding file.
    window.useBreedingFile(testing_support::kSamplesDir + "/breeding.txt");
    for (auto* option : {&window.optsire, &window.optdamsire, &window.optdamdamsire}) option->enabled = true;
    shell::MainFinderWindow view(window);
    view.show();
    search::optsire_Click(window);
    window.txthorse.caption = "Iron Duke";
    window.txtnum.caption = "1";
    search::cmdgethorse_click(window);
    view.showState();
    view.grab().save("/tmp/progeny.png");
    search::opthorse_Click(window);
    window.txthorse.caption = "Black Dasher";
    search::cmdgethorse_click(window);
    view.showState();
    view.grab().save("/tmp/horse.png");
}
}
