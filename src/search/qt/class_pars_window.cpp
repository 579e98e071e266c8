// SPDX-License-Identifier: MIT
#include "search/qt/class_pars_window.h"

#include "base/qt/accessible_names.h"
#include "base/qt/grid_view.h"
#include "base/qt/qt_text.h"
#include "base/qt/small_window.h"
#include "base/qt/sort_menu.h"
#include "shell/main_finder.h"
#include "shell/qt/main_window_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace search {

namespace {

constexpr const char* kObjectName = "frmclasspars";

}  // namespace

ClassParsWindow::ClassParsWindow(shell::MainWindowView& mainWindow, shell::MainFinder& finder)
    : QWidget(&mainWindow.widget(), Qt::Window), finder_(finder), panel_(finder) {
    base::setUpSmallWindow(*this, {kObjectName, ClassParsPanel::kCaption});
    auto* layout = new QVBoxLayout(this);
    auto* boxes = new QHBoxLayout;
    auto* surfaceLabel = new QLabel("S&urface:", this);
    surface_ = new QComboBox(this);
    surface_->setObjectName("cbosurface");
    surface_->addItems({"Dirt and turf", "Dirt", "Turf"});
    surfaceLabel->setBuddy(surface_);
    boxes->addWidget(surfaceLabel);
    boxes->addWidget(surface_);
    minRaces_ = base::addLabelledBox(*this, *boxes, "&Minimum of races:", "txtminraces", panel_.txtminraces);
    minRaces_->setMaximumWidth(50);
    id_ = base::addLabelledBox(*this, *boxes, "&ID:", "txtid", panel_.txtid);
    id_->setMaximumWidth(110);
    auto* show = base::addShowButton(*this, *boxes);
    boxes->addStretch(1);
    layout->addLayout(boxes);

    const auto [count, exportButton] = base::addCountAndExport(*this, *layout);
    count_ = count;
    grid_ = base::addTable(*this, *layout, panel_.grid, "grdclasspars", ClassParsPanel::kCaption);
    for (QLineEdit* box : {minRaces_, id_})
        connect(box, &QLineEdit::returnPressed, this, &ClassParsWindow::cmdshow_Click);
    connect(show, &QPushButton::clicked, this, &ClassParsWindow::cmdshow_Click);
    connect(exportButton, &QPushButton::clicked, this, [this] { panel_.cmdexport_Click(); });
    const auto sortBy = [this](int column) { captionSort_.sortBy(panel_.grid, column, column <= 2); };
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, sortBy);
    base::addSortMenu(*grid_, "mnuclasspars", [this, sortBy] { sortBy(panel_.grid.col()); });
    resize(760, 560);
    base::nameListsAndGrids(*this);
    finder_.follow(*this);
}

ClassParsWindow::~ClassParsWindow() {
    finder_.unfollow(*this);
    delete grid_;  // the grid's view goes before the panel whose grid model it shows
}

void ClassParsWindow::cmdshow_Click() {
    panel_.cbosurface = surface_->currentIndex();
    panel_.txtminraces = minRaces_->text().toStdString();
    panel_.txtid = id_->text().toStdString();
    setCursor(Qt::WaitCursor);
    panel_.cmdshow_Click();
    unsetCursor();
    captionSort_.forget();
    count_->setText(base::toQString(panel_.lblcount));
}

void ClassParsWindow::storeChanged(store::Database&) { showAgainSoon(); }

std::string ClassParsWindow::weeksImported(store::Database&, const std::vector<int>&) {
    showAgainSoon();
    return {};
}

void ClassParsWindow::showAgainSoon() {
    if (!panel_.shown()) return;
    QTimer::singleShot(0, this, [window = QPointer<ClassParsWindow>(this)] {
        if (window) window->cmdshow_Click();
    });
}

ClassParsWindow* ClassParsWindow::classpars_Click(shell::MainWindowView& mainWindow, shell::MainFinder& finder) {
    return base::openOnce<ClassParsWindow>(mainWindow.widget(), kObjectName,
                                           [&] { return new ClassParsWindow(mainWindow, finder); });
}

}  // namespace search
