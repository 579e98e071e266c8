// SPDX-License-Identifier: MIT
#include "search/qt/horse_finder_window.h"

#include "base/qt/qt_text.h"
#include "base/qt/accessible_names.h"
#include "base/qt/small_window.h"
#include "search/qt/horse_comparison_window.h"
#include "search/qt/name_offer_list.h"
#include "shell/main_finder.h"
#include "shell/qt/main_window_view.h"
#include "base/qt/grid_view.h"
#include "base/qt/sort_menu.h"
#include "watch/qt/watch_marking.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace search {

namespace {

constexpr const char* kObjectName = "frmfindhorses";

}  // namespace

HorseFinderWindow::HorseFinderWindow(shell::MainWindowView& mainWindow, shell::MainFinder& finder,
                                     const watch::WatchState& watching)
    : QWidget(&mainWindow.widget(), Qt::Window), mainWindow_(mainWindow), finder_(finder), panel_(finder) {
    base::setUpSmallWindow(*this, {kObjectName, HorseFinderPanel::kCaption});
    panel_.loadExcludedOwners();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createCriteria());
    auto* actions = new QHBoxLayout;
    auto* find = new QPushButton("&Find", this);
    find->setObjectName("cmdfind");
    find->setDefault(true);
    auto* compare = new QPushButton("&Compare", this);
    compare->setObjectName("cmdcompare");
    auto* exportButton = new QPushButton("&Export...", this);
    exportButton->setObjectName("cmdexport");
    count_ = new QLabel(this);
    count_->setObjectName("lblcount");
    count_->setTextFormat(Qt::PlainText);
    actions->addWidget(find);
    actions->addWidget(count_, 1);
    actions->addWidget(compare);
    actions->addWidget(exportButton);
    layout->addLayout(actions);
    grid_ = base::addTable(*this, *layout, panel_.grid, "grdfound", "Horses found");
    grid_->allowRowPicking();  // "Compare" takes any two to four horses
    watch::markListing(
        *grid_, watching,
        {HorseFinderPanel::kNameColumn, HorseFinderPanel::kNumberColumn, HorseFinderPanel::kOwnerColumn});
    connect(find, &QPushButton::clicked, this, &HorseFinderWindow::cmdfind_Click);
    connect(compare, &QPushButton::clicked, this, &HorseFinderWindow::cmdcompare_Click);
    connect(exportButton, &QPushButton::clicked, this, [this] { panel_.cmdexport_Click(); });
    connect(grid_, &base::GridView::cellDoubleClicked, this, &HorseFinderWindow::listSelectedHorse);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &HorseFinderWindow::sortBy);
    base::addSortMenu(*grid_, "mnufound", [this] { sortBy(panel_.grid.col()); });
    grid_->installEventFilter(this);
    resize(1000, 640);
    showState();
    base::nameListsAndGrids(*this);
}

HorseFinderWindow::~HorseFinderWindow() { delete grid_; }

QLineEdit* HorseFinderWindow::addBox(QGridLayout* layout, int row, int column, const char* caption,
                                     const char* name) {
    auto* label = new QLabel(caption, this);
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setMaximumWidth(90);
    label->setBuddy(box);
    auto* problem = new QLabel(this);
    problem->setObjectName(QString(name) + "_problem");
    problem->setStyleSheet("color: #c00000");
    // A message wraps within the room its column has, so the boxes keep their places.
    problem->setWordWrap(true);
    problem->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(label, row, column);
    layout->addWidget(box, row, column + 1);
    layout->addWidget(problem, row, column + 2);
    boxes_[name] = box;
    problemLabels_[name] = problem;
    connect(box, &QLineEdit::returnPressed, this, &HorseFinderWindow::cmdfind_Click);
    return box;
}

QWidget* HorseFinderWindow::createCriteria() {
    auto* criteria = new QWidget(this);
    auto* layout = new QGridLayout(criteria);
    addBox(layout, 0, 0, "&Active within weeks:", "txtactive")->setText(base::toQString(panel_.txtactive));
    auto* surfaceLabel = new QLabel("&Surface:", criteria);
    layout->addWidget(surfaceLabel, 1, 0);
    surface_ = new QComboBox(criteria);
    surfaceLabel->setBuddy(surface_);
    surface_->setObjectName("cbosurface");
    surface_->addItems({"Any", "Dirt", "Turf"});
    layout->addWidget(surface_, 1, 1);
    addBox(layout, 2, 0, "&Distance from:", "txtmindist");
    addBox(layout, 3, 0, "Distance &to:", "txtmaxdist");
    auto* best = new QRadioButton("&Best speed", criteria);
    best->setObjectName("optbest");
    best->setChecked(true);
    average_ = new QRadioButton("A&verage of last", criteria);
    average_->setObjectName("optaverage");
    layout->addWidget(best, 4, 0);
    layout->addWidget(average_, 5, 0);
    QLineEdit* last = addBox(layout, 5, 0, "", "txtlast");
    last->setText(base::toQString(panel_.txtlast));
    last->setAccessibleName("Races to average");
    addBox(layout, 6, 0, "S&peed at least:", "txtminspeed");
    auto* classLabel = new QLabel("Last race c&lass:", criteria);
    layout->addWidget(classLabel, 0, 3);
    classes_ = new QListWidget(criteria);
    classLabel->setBuddy(classes_);
    classes_->setObjectName("lstclasses");
    classes_->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const auto& code : panel_.classCodes()) classes_->addItem(base::toQString(code));
    classes_->setMaximumHeight(90);
    layout->addWidget(classes_, 1, 3, 3, 3);
    addBox(layout, 4, 3, "Claiming price at &most:", "txtmaxclaim");
    addBox(layout, 5, 3, "A&ge/sex code:", "txtage");
    addBox(layout, 6, 3, "Sta&rts at least:", "txtminstarts");
    addBox(layout, 7, 3, "&Wins at most:", "txtmaxwins");
    auto* ownersLabel = new QLabel("Leave out &owners:", criteria);
    layout->addWidget(ownersLabel, 0, 6);
    for (int i = 0; i < HorseFinderPanel::kOwnerBoxes; ++i) {
        auto* owner = new QLineEdit(base::toQString(panel_.txtexclude[static_cast<std::size_t>(i)]), criteria);
        owner->setObjectName(QString("txtexclude%1").arg(i + 1));
        layout->addWidget(owner, i + 1, 6);
        boxes_["txtexclude" + std::to_string(i + 1)] = owner;
        connect(owner, &QLineEdit::returnPressed, this, &HorseFinderWindow::cmdfind_Click);
        offerOwners(owner);
        if (i == 0) ownersLabel->setBuddy(owner);
        else owner->setAccessibleName(QString("Leave out owner %1").arg(i + 1));
    }
    layout->setColumnStretch(2, 1);
    layout->setColumnStretch(5, 1);
    return criteria;
}

// A stable's name is offered as in the main window's name box; taking it finds, as Enter does.
void HorseFinderWindow::offerOwners(QLineEdit* box) {
    new NameOfferList(
        box, [this](const std::string& typed) { return windowOffers(finder_, nullptr, OfferKind::Owner, typed); },
        [this, box](const NameOffer& offer) {
            box->setText(base::toQString(offer.name));
            cmdfind_Click();
        });
}

void HorseFinderWindow::readBoxes() {
    const auto text = [this](const char* name) { return boxes_.at(name)->text().toStdString(); };
    panel_.txtactive = text("txtactive");
    panel_.cbosurface = surface_->currentIndex();
    panel_.txtmindist = text("txtmindist");
    panel_.txtmaxdist = text("txtmaxdist");
    panel_.optaverage = average_->isChecked();
    panel_.txtlast = text("txtlast");
    panel_.txtminspeed = text("txtminspeed");
    panel_.classes.clear();
    for (const auto* item : classes_->selectedItems()) panel_.classes.push_back(item->text().toStdString());
    panel_.txtmaxclaim = text("txtmaxclaim");
    panel_.txtage = text("txtage");
    panel_.txtminstarts = text("txtminstarts");
    panel_.txtmaxwins = text("txtmaxwins");
    for (int i = 0; i < HorseFinderPanel::kOwnerBoxes; ++i)
        panel_.txtexclude[static_cast<std::size_t>(i)] = text(("txtexclude" + std::to_string(i + 1)).c_str());
}

void HorseFinderWindow::showState() {
    for (const auto& [name, label] : problemLabels_) {
        const auto problem = panel_.problems.find(name);
        const QString text = problem == panel_.problems.end() ? QString() : base::toQString(problem->second);
        label->setText(text);
        label->setToolTip(text);
    }
    count_->setText(base::toQString(panel_.lblcount));
}

void HorseFinderWindow::cmdfind_Click() {
    readBoxes();
    setCursor(Qt::WaitCursor);
    panel_.cmdfind_Click();
    unsetCursor();
    captionSort_.forget();
    showState();
}

void HorseFinderWindow::sortBy(int column) {
    captionSort_.sortBy(panel_.grid, column, HorseFinderPanel::isTextColumn(column));
}

// Enter on the grid lists the current horse, as a double click does.
bool HorseFinderWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            listSelectedHorse();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HorseFinderWindow::listSelectedHorse() {
    panel_.listHorse(panel_.grid.row());
    mainWindow_.showState();
}

void HorseFinderWindow::cmdcompare_Click() {
    const auto ids = panel_.selectedIds();
    HorseComparisonWindow::compare(&mainWindow_.widget(), finder_, ids);
}

HorseFinderWindow* HorseFinderWindow::findhorses_Click(shell::MainWindowView& mainWindow, shell::MainFinder& finder,
                                                       const watch::WatchState& watching) {
    return base::openOnce<HorseFinderWindow>(mainWindow.widget(), kObjectName,
                                             [&] { return new HorseFinderWindow(mainWindow, finder, watching); });
}

}  // namespace search
