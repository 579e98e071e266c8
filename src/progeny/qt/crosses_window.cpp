// SPDX-License-Identifier: MIT
#include "progeny/qt/crosses_window.h"

#include "base/qt/accessible_names.h"
#include "base/qt/grid_view.h"
#include "base/qt/sort_menu.h"
#include "base/qt/qt_text.h"
#include "base/qt/small_window.h"
#include "base/qt/twips.h"
#include "shell/main_finder.h"
#include "shell/qt/main_window_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace progeny {

namespace {

constexpr const char* kObjectName = "frmcrosses";

}  // namespace

CrossesWindow::CrossesWindow(shell::MainWindowView& mainWindow, shell::MainFinder& finder)
    : QWidget(&mainWindow.widget(), Qt::Window), mainWindow_(mainWindow), panel_(finder, mainWindow.listing()) {
    base::setUpSmallWindow(*this, {kObjectName, CrossesPanel::kCaption});
    auto* layout = new QVBoxLayout(this);
    auto* boxes = new QHBoxLayout;
    sire_ = base::addLabelledBox(*this, *boxes, "&Sire:", "txtsire", panel_.txtsire);
    damSire_ = base::addLabelledBox(*this, *boxes, "&Dam-sire:", "txtdamsire", panel_.txtdamsire);
    auto* agesLabel = new QLabel("&Ages:", this);
    ages_ = new QComboBox(this);
    ages_->setObjectName("cboages");
    ages_->addItems({"All offspring", "Two-year-olds", "Older"});
    agesLabel->setBuddy(ages_);
    boxes->addWidget(agesLabel);
    boxes->addWidget(ages_);
    minStarters_ =
        base::addLabelledBox(*this, *boxes, "&Minimum of starters:", "txtminstarters", panel_.txtminstarters);
    minStarters_->setMaximumWidth(50);
    auto* show = base::addShowButton(*this, *boxes);
    boxes->addStretch(1);
    layout->addLayout(boxes);

    const auto [count, exportButton] = base::addCountAndExport(*this, *layout);
    count_ = count;
    grid_ = base::addTable(*this, *layout, panel_.grid, "grdcrosses", CrossesPanel::kCaption);
    for (QLineEdit* box : {sire_, damSire_, minStarters_})
        connect(box, &QLineEdit::returnPressed, this, &CrossesWindow::cmdshow_Click);
    connect(show, &QPushButton::clicked, this, &CrossesWindow::cmdshow_Click);
    connect(exportButton, &QPushButton::clicked, this, [this] { panel_.cmdexport_Click(); });
    connect(grid_, &base::GridView::cellDoubleClicked, this, &CrossesWindow::listSelectedHorse);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &CrossesWindow::sortBy);
    base::addSortMenu(*grid_, "mnucrosses", [this] { sortBy(panel_.grid.col()); });
    grid_->installEventFilter(this);
    resize(1100, 560);
    base::nameListsAndGrids(*this);
}

CrossesWindow::~CrossesWindow() { delete grid_; }

void CrossesWindow::cmdshow_Click() {
    panel_.txtsire = sire_->text().toStdString();
    panel_.txtdamsire = damSire_->text().toStdString();
    panel_.cboages = ages_->currentIndex();
    panel_.txtminstarters = minStarters_->text().toStdString();
    setCursor(Qt::WaitCursor);
    panel_.cmdshow_Click();
    fitNameColumn();
    unsetCursor();
    captionSort_.forget();
    count_->setText(base::toQString(panel_.lblcount));
}

// Names show whole: the name column widens to the widest of them in the table's font.
void CrossesWindow::fitNameColumn() {
    base::GridModel& grid = panel_.grid;
    const QFontMetrics metrics(grid_->font());
    int widest = 0;
    for (int row = 0; row < grid.rows(); ++row)
        widest =
            std::max(widest, metrics.horizontalAdvance(base::toQString(grid.text(row, CrossesPanel::kNameColumn))));
    // The cell's margins and the grid line beside the text.
    const int margins = 2 * (grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 1) + 4;
    const int needed = base::pixelsToTwipsX(widest + margins, grid_);
    if (needed > grid.columnWidth(CrossesPanel::kNameColumn)) grid.setColumnWidth(CrossesPanel::kNameColumn, needed);
}

// The name sorts as text, A to Z first; every other column as numbers, highest first.
void CrossesWindow::sortBy(int column) {
    captionSort_.sortBy(panel_.grid, column, column == CrossesPanel::kNameColumn);
}

// Enter on the table lists the current horse, as a double click does.
bool CrossesWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && panel_.listsHorses()) {
            listSelectedHorse();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CrossesWindow::listSelectedHorse() {
    if (!panel_.listsHorses()) return;
    panel_.listHorse(panel_.grid.row());
    mainWindow_.showState();
}

CrossesWindow* CrossesWindow::crosses_Click(shell::MainWindowView& mainWindow, shell::MainFinder& finder) {
    return base::openOnce<CrossesWindow>(mainWindow.widget(), kObjectName,
                                         [&] { return new CrossesWindow(mainWindow, finder); });
}

}  // namespace progeny
