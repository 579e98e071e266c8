// SPDX-License-Identifier: MIT
#include "search/qt/special_stable_window.h"

#include "base/busy_pointer.h"
#include "shell/qt/main_window_view.h"
#include "base/qt/accessible_names.h"
#include "base/qt/small_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace search {

namespace {

const char* const kObjectName = "frmstable";
constexpr int kEnter = 13;

}  // namespace

SpecialStableWindow::SpecialStableWindow(shell::MainFinder& finder, shell::MainWindowView& mainWindow)
    : QWidget(&mainWindow.widget(), Qt::Window), search_(finder), mainWindow_(mainWindow) {
    base::setUpSmallWindow(
        *this, {kObjectName, SpecialStable::kCaption, 8.25, SpecialStable::kClientWidth, SpecialStable::kClientHeight});
    createControls();
    createSavedSets();
    base::connectTextBoxes(*this, search_.controls());
    search_.Form_Load();
    showState();
    base::nameListsAndGrids(*this);
}

void SpecialStableWindow::createControls() {
    auto* names = base::addChild<QGroupBox>(this, "fratrainers", 120, 60, 2895, 1980);
    static const char* const kLabels[] = {"lblstable_0", "lblstable_1", "lblstable_2", "lblstable_3"};
    static const char* const kBoxes[] = {"txto1_0", "txto1_1", "txto1_2", "txto1_3"};
    for (int i = 0; i < SpecialStable::kBoxes; ++i) {
        const int y = 300 + i * 420;
        auto* label = base::addChild<QLabel>(names, kLabels[i], 120, y + 45, 855, 255);
        auto* box = base::addChild<QLineEdit>(names, kBoxes[i], 1020, y, 1755, 300);
        label->setBuddy(box);
        connect(box, &QLineEdit::returnPressed, this, [this, i] { handle([this, i] { search_.txto1_KeyPress(i, kEnter); }); });
    }
    auto* note = base::addChild<QLabel>(this, "lblnote", 120, 2130, 2895, 615);
    note->setWordWrap(true);
    base::addChild<QLabel>(this, "lblquerystring", 120, 3300, 2895, 255);
    auto* go = base::addChild<QPushButton>(this, "cmdgo", 120, 2880, 1380, 375);
    auto* cancel = base::addChild<QPushButton>(this, "cmdcancel", 1635, 2880, 1380, 375);
    connect(go, &QPushButton::clicked, this, [this] { handle([this] { search_.cmdgo_Click(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { handle([this] { search_.cmdcancel_Click(); }); });
}

void SpecialStableWindow::createSavedSets() {
    auto* saved = base::addChild<QGroupBox>(this, "frasaveload", 3135, 60, 2475, 3195);
    auto* list = base::addChild<QListWidget>(saved, "lstnames", 120, 255, 2235, 2055);
    base::connectList(*list, search_.lstnames);
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { handle([this] { search_.lstnames_DblClick(); }); });
    const std::pair<const char*, void (SpecialStable::*)()> buttons[] = {{"cmdadd", &SpecialStable::cmdadd_Click},
                                                                         {"cmddelete", &SpecialStable::cmddelete_Click},
                                                                         {"cmduse", &SpecialStable::cmduse_Click},
                                                                         {"cmdload", &SpecialStable::cmdload_Click}};
    int x = 120;
    for (const auto& [name, click] : buttons) {
        auto* button = base::addChild<QPushButton>(saved, name, x, 2400, 525, 375);
        connect(button, &QPushButton::clicked, this, [this, click = click] { handle([this, click] { (search_.*click)(); }); });
        x += 570;
    }
}

template <typename Event>
void SpecialStableWindow::handle(Event event) {
    event();
    showState();
    if (!search_.closed()) return;
    mainWindow_.showState();
    close();
    base::bringToFront(mainWindow_.widget());
}

void SpecialStableWindow::showState() {
    base::showControls(*this, search_.controls());
    base::showList(*findChild<QListWidget*>("lstnames"), search_.lstnames);
}

SpecialStableWindow* SpecialStableWindow::cmdspecial_Click(shell::MainWindowView& mainWindow,
                                                           shell::MainFinder& finder) {
    base::BusyPointer busy(finder.dialogs());
    return base::openOnce<SpecialStableWindow>(mainWindow.widget(), kObjectName,
                                               [&] { return new SpecialStableWindow(finder, mainWindow); });
}

}  // namespace search
