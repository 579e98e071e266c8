// SPDX-License-Identifier: MIT
#include "app/qt/main_finder_window.h"
#include "guide/qt/guide_window.h"
#include "guide/window_pages.h"

#include "import/import_driver.h"
#include "import/qt/results_folder_watch.h"
#include "lineage/qt/lineage_window.h"
#include "output/export_findings.h"
#include "output/print_findings.h"
#include "output/qt/system_printer.h"
#include "output/qt/speed_chart_window.h"
#include "progeny/qt/crosses_window.h"
#include "search/criteria_panel.h"
#include "search/qt/class_pars_window.h"
#include "search/qt/horse_comparison_window.h"
#include "search/qt/horse_finder_window.h"
#include "search/qt/name_offer_list.h"
#include "search/qt/special_stable_window.h"
#include "shell/about.h"
#include "shell/compact_database.h"
#include "shell/qt/date_calculator_window.h"
#include "shell/qt/edit_tracks_window.h"
#include "base/qt/accessible_names.h"
#include "base/qt/fitting_label.h"
#include "base/qt/grid_clipboard.h"
#include "base/qt/grid_view.h"
#include "base/qt/key_filter.h"
#include "app/qt/main_finder_layout.h"
#include "base/qt/twips.h"
#include "base/qt/window_dialogs.h"
#include "app/qt/wrapping_group_box.h"
#include "shell/qt/remove_data_window.h"
#include "shell/restore_search_indexes.h"
#include "search/results_grid_commands.h"
#include "watch/qt/watch_list_window.h"
#include "watch/qt/watch_marking.h"
#include "watch/watch_commands.h"

#include "base/qt/qt_text.h"

#include <QAction>
#include <QApplication>
#include <algorithm>
#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>

namespace app {

namespace {

QWidget* createControl(ControlKind kind, QWidget* parent) {
    switch (kind) {
    case ControlKind::Frame: return new QGroupBox(parent);
    case ControlKind::WrappedFrame: return new WrappingGroupBox(parent);
    case ControlKind::Label:
        return new base::FittingLabel(parent);
    case ControlKind::TextBox: return new QLineEdit(parent);
    case ControlKind::CheckBox: return new QCheckBox(parent);
    case ControlKind::Option: return new QRadioButton(parent);
    case ControlKind::Button: return new QPushButton(parent);
    }
    return nullptr;
}

// Shows one control's state on whatever widget or menu item carries its name.
void showControl(QObject* object, const base::Control& control) {
    const QSignalBlocker blocker(object);
    const QString caption = base::displayText(control.caption);
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (!action->isSeparator()) action->setText(caption);
        action->setVisible(control.visible);
        action->setEnabled(control.enabled);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return;
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        menu->setTitle(caption);
        menu->menuAction()->setEnabled(control.enabled);
        return;
    }
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) frame->setTitle(base::literalCaption(caption));
    else if (auto* label = qobject_cast<base::FittingLabel*>(widget)) label->setWholeText(caption);
    else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        box->setMaxLength(control.maxLength > 0 ? control.maxLength : 32767);
        if (box->text() != caption) box->setText(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(caption);
        if (button->isCheckable()) button->setChecked(control.checked);
    }
    widget->setEnabled(control.enabled);
    widget->setVisible(control.visible);
}

}  // namespace

MainFinderWindow::MainFinderWindow(shell::MainFinder& finder, QWidget* parent) : QMainWindow(parent), finder_(finder) {
    setObjectName("frmmainfinder");
    // The watch list's marks follow the store through the window's commands.
    finder_.follow(watching_);
    watching_.reload(finder_.raceStorePath());
    setFont(QFont("Arial", 7.5));  // NOLINT: points, as the design gives them
    client_ = new QWidget(this);
    setCentralWidget(client_);
    // The design size is the smallest; a larger window gives its room to the results grid.
    client_->setMinimumSize(base::twipsToPixelsX(shell::MainFinder::kClientWidth, this),
                            base::twipsToPixelsY(shell::MainFinder::kClientHeight, this));
    client_->resize(client_->minimumSize());
    createControls();
    createGrids();
    client_->installEventFilter(this);
    watchResultsFolder();
    backups_ = new shell::BackupRunner(*this, finder_);
    createMenus();
    connectControls();
    connectCommands();
    connectSearchPanel();
    offerNames();
    setAcceptDrops(true);
    move(base::twipsToPixelsX(finder_.leftTwips, this), base::twipsToPixelsY(finder_.topTwips, this));
    showState();
    nameControls();
    // A name can be typed and searched for with Enter at once.
    findChild<QLineEdit*>("txthorse")->setFocus(Qt::OtherFocusReason);
    QTimer::singleShot(0, this, &MainFinderWindow::restoreSearchIndexesOnceShown);
    // The searches' connections close a few seconds after the last one.
    constexpr int kIdleLookMs = 1000;
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, [this] { finder_.releaseIdleReaders(); });
    idle->start(kIdleLookMs);
}

bool MainFinderWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) placeResultsGrid();
    return QMainWindow::eventFilter(watched, event);
}

MainFinderWindow::~MainFinderWindow() { finder_.unfollow(watching_); }

void MainFinderWindow::restoreSearchIndexesOnceShown() {
    if (!windowHandle() || !windowHandle()->isExposed()) {
        constexpr int kLookAgainMs = 20;
        QTimer::singleShot(kLookAgainMs, this, &MainFinderWindow::restoreSearchIndexesOnceShown);
        return;
    }
    run([this] { shell::restoreSearchIndexes(finder_); });
}

void MainFinderWindow::createControls() {
    for (const auto& place : kMainFinderPlaces) {
        QWidget* parent = *place.parent ? client_->findChild<QWidget*>(place.parent) : client_;
        QWidget* widget = createControl(place.kind, parent);
        widget->setObjectName(place.name);
        widget->setGeometry(base::twipsRect(place.x, place.y, place.width, place.height, this));
    }
}

void MainFinderWindow::nameControls() {
    for (const auto& [box, label] : kBoxLabels) findChild<QLabel*>(label)->setBuddy(findChild<QWidget*>(box));
    for (const auto& [control, name] : kSpokenNames) findChild<QWidget*>(control)->setAccessibleName(name);
    for (const auto& [control, tip] : kToolTips) findChild<QWidget*>(control)->setToolTip(tip);
    base::nameListsAndGrids(*this);
}

void MainFinderWindow::createGrids() {
    for (const auto& place : kGridPlaces) {
        base::GridModel* model = nullptr;
        for (const auto& [name, grid] : finder_.grids())
            if (name == place.name) model = grid;
        QWidget* parent = *place.parent ? client_->findChild<QWidget*>(place.parent) : client_;
        auto* view = new base::GridView(*model, parent);
        view->setObjectName(place.name);
        grids_[place.name] = view;
        if (model != &finder_.MSFlexGrid1) {
            view->setDisplayOnly();
            view->setGeometry(QRect(base::twipsRect(place.x, place.y, 0, 0, this).topLeft(), view->designedSize()));
        }
    }
    grids_["MSFlexGrid1"]->allowRowPicking();  // "Compare" takes runs that are not neighbours
    grids_["MSFlexGrid1"]->shareExtraWidth();  // a wider window widens the columns
    connect(grids_["MSFlexGrid1"], &base::GridView::contextMenuRequested, this, &MainFinderWindow::openContextMenu);
    const auto doubleClicked = [this] { run([this] { search::MSFlexGrid1_DblClick(finder_); }); };
    connect(grids_["MSFlexGrid1"], &base::GridView::cellDoubleClicked, this, doubleClicked);
    connect(grids_["MSFlexGrid1"], &base::GridView::captionDoubleClicked, this, doubleClicked);
    for (const auto& [name, view] : grids_) base::enableCopyToClipboard(*view);
    watch::markResultsGrid(*grids_["MSFlexGrid1"], finder_, watching_);
}

void MainFinderWindow::createMenus() {
    auto addMenu = [this](const char* name) {
        auto* menu = menuBar()->addMenu(QString());
        menu->setObjectName(name);
        return menu;
    };
    auto addItem = [](QMenu* menu, const char* name) {
        auto* action = menu->addAction(QString());
        action->setObjectName(name);
        return action;
    };
    auto addBar = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(name); };

    QMenu* file = addMenu("filemenu");
    addItem(file, "cmdimportdata");
    for (QAction* item : resultsFolder_->menuItems()) file->addAction(item);
    addItem(file, "cmdremoverace");
    addItem(file, "cmdbackup");
    addItem(file, "cmdrestore");
    addBar(file, "bar4");
    addItem(file, "cmdprint");
    addItem(file, "cmdprintpreview");
    addItem(file, "ExportText");
    addBar(file, "bar6");
    addItem(file, "cmdexit");
    QMenu* utilities = addMenu("Utilitiesmenu");
    addItem(utilities, "datecalculator");
    addBar(utilities, "bar5");
    addItem(utilities, "cmdcompact");
    addItem(utilities, "edittracks");
    addItem(utilities, "speedchart");
    addItem(utilities, "findhorses");
    addItem(utilities, "watchlist");
    addItem(utilities, "crosses");
    addItem(utilities, "classpars");
    // Sorting from the keyboard: the results grid's current column, as a double click sorts it.
    addItem(utilities, "sortresults")->setText("S&ort by This Column");
    QMenu* help = addMenu("helpmenu");
    // F1 from any window of the program: the guide at that window's page.
    QAction* guide = addItem(help, "cmdguide");
    guide->setShortcut(QKeySequence::HelpContents);
    guide->setShortcutContext(Qt::ApplicationShortcut);
    addItem(help, "cmdabout");

    // The results grid's context menu, never shown in the menu bar.
    popmenu_ = new QMenu(this);
    popmenu_->setObjectName("popmenu");
    addItem(popmenu_, "datecalc");
    addBar(popmenu_, "bar1");
    addItem(popmenu_, "getlineage");
    addBar(popmenu_, "bar");
    addItem(popmenu_, "listhorse");
    addItem(popmenu_, "listrace");
    addItem(popmenu_, "listowner");
    addItem(popmenu_, "comparehorses");
    addItem(popmenu_, "watchhorse");
    addItem(popmenu_, "watchstable");
    addBar(popmenu_, "bar2");
    addItem(popmenu_, "listfilter");
    addItem(popmenu_, "sortcolumn")->setText("Sort by This Column");
    addBar(popmenu_, "bar3");
    addItem(popmenu_, "msfgridreset");
    addItem(popmenu_, "msfgridback");
}

void MainFinderWindow::watchResultsFolder() {
    resultsFolder_ = new import::ResultsFolderWatch(*this, finder_);
    connect(resultsFolder_, &import::ResultsFolderWatch::weeksImported, this,
            [this] { shell::RemoveDataWindow::refreshIfOpen(*this, finder_); });
}

void MainFinderWindow::onCommand(const char* name, std::function<void()> command) {
    connect(findChild<QAction*>(name), &QAction::triggered, this,
            [this, command = std::move(command)] { run(command); });
}

void MainFinderWindow::connectCommands() {
    onCommand("cmdimportdata", [this] { import::cmdimportdata_Click(finder_); });
    onCommand("msfgridreset", [this] { finder_.msfgridreset_click(); });
    onCommand("msfgridback", [this] { finder_.msfgridback_Click(); });
    onCommand("listhorse", [this] { search::listhorse_click(finder_); });
    onCommand("listrace", [this] { search::listrace_Click(finder_); });
    onCommand("listowner", [this] { search::listowner_Click(finder_); });
    onCommand("listfilter", [this] { search::listfilter_Click(finder_); });
    for (const char* sort : {"sortresults", "sortcolumn"})
        onCommand(sort, [this] { search::MSFlexGrid1_DblClick(finder_); });
    onCommand("getlineage", [this] { lineage::LineageWindow::getlineage_Click(this, finder_); });
    onCommand("cmdprint", [this] {
        output::SystemPrinter printer(this);
        output::cmdprint_Click(finder_, printer);
    });
    onCommand("cmdprintpreview", [this] {
        output::SystemPrinter printer(this);
        output::cmdprintpreview_Click(finder_, printer);
    });
    onCommand("ExportText", [this] { output::ExportText_Click(finder_); });
    connect(findChild<QAction*>("cmdexit"), &QAction::triggered, this, &QWidget::close);
    onCommand("datecalculator",
              [this] { shell::DateCalculatorWindow::datecalculator_Click(this, finder_.dialogs(), finder_.clock()); });
    onCommand("cmdremoverace", [this] { shell::RemoveDataWindow::cmdremoverace_Click(*this, finder_); });
    onCommand("cmdcompact", [this] { shell::cmdcompact_Click(finder_); });
    onCommand("cmdbackup", [this] {
        if (!backups_->busy()) backups_->start(shell::cmdbackup_Click(finder_));
    });
    onCommand("cmdrestore", [this] {
        if (!backups_->busy() && shell::cmdrestore_Click(finder_))
            shell::RemoveDataWindow::refreshIfOpen(*this, finder_);
    });
    onCommand("edittracks", [this] { shell::EditTracksWindow::edittracks_Click(this, finder_); });
    onCommand("speedchart", [this] { output::SpeedChartWindow::speedchart_Click(this, finder_); });
    onCommand("findhorses", [this] { search::HorseFinderWindow::findhorses_Click(*this, finder_, watching_); });
    onCommand("watchlist", [this] { watch::WatchListWindow::watchlist_Click(*this, finder_, watching_); });
    onCommand("crosses", [this] { progeny::CrossesWindow::crosses_Click(*this, finder_); });
    onCommand("classpars", [this] { search::ClassParsWindow::classpars_Click(*this, finder_); });
    onCommand("cmdguide", [this] { openGuide(); });
    onCommand("cmdabout", [this] { shell::cmdabout_Click(finder_); });
    onCommand("watchhorse", [this] { watch::watchhorse_Click(finder_, watching_); });
    onCommand("watchstable", [this] { watch::watchstable_Click(finder_, watching_); });
    onCommand("comparehorses",
              [this] { search::HorseComparisonWindow::compare(this, finder_, search::comparehorses_Click(finder_)); });
    connect(findChild<QPushButton*>("cmdspecial"), &QPushButton::clicked, this,
            [this] { run([this] { search::SpecialStableWindow::cmdspecial_Click(*this, finder_); }); });
    // Ctrl+F: to the name box, ready for the next search.
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        auto* name = findChild<QLineEdit*>("txthorse");
        name->setFocus(Qt::ShortcutFocusReason);
        name->selectAll();
    });
}

// Results files dropped on the window are imported as if chosen in the file dialog.
void MainFinderWindow::dragEnterEvent(QDragEnterEvent* event) {
    const auto urls = event->mimeData()->urls();
    const bool files = !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
    if (files && finder_.cmdimportdata.enabled) event->acceptProposedAction();
}

void MainFinderWindow::dropEvent(QDropEvent* event) {
    std::vector<import::ChosenFile> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        const QFileInfo info(url.toLocalFile());
        files.push_back({QDir::toNativeSeparators(info.filePath()).toStdString(), info.fileName().toStdString()});
    }
    event->acceptProposedAction();
    run([this, files] { import::importFiles(finder_, finder_.raceStorePath(), files); });
}

void MainFinderWindow::connectControls() {
    for (const auto& [name, control] : finder_.controls()) {
        QObject* object = findChild<QObject*>(base::toQString(name));
        if (auto* box = qobject_cast<QLineEdit*>(object)) {
            connect(box, &QLineEdit::textEdited, this,
                    [control = control](const QString& text) { control->caption = text.toStdString(); });
        } else if (auto* check = qobject_cast<QCheckBox*>(object)) {
            connect(check, &QCheckBox::clicked, this,
                    [control = control](bool checked) { control->checked = checked; });
        }
    }
}

void MainFinderWindow::repaintState() {
    showState();
    repaint();
}

void MainFinderWindow::connectSearchPanel() {
    const std::pair<const char*, void (*)(shell::MainFinder&)> kinds[] = {
        {"opthorse", search::opthorse_Click},      {"optowner", search::optowner_Click},
        {"optrace", search::optrace_Click},        {"optsire", search::optsire_Click},
        {"optdamsire", search::optdamsire_Click},  {"optdamdamsire", search::optdamdamsire_Click},
        {"cmdgethorse", search::cmdgethorse_click}};
    for (const auto& [name, handler] : kinds) {
        connect(findChild<QAbstractButton*>(name), &QAbstractButton::clicked, this,
                [this, handler = handler] { run([this, handler] { handler(finder_); }); });
    }
    for (const char* box : {"txtfirstweek", "txtlastweek", "txtinjury", "txtnum"})
        filterKeys(box, search::txtweekOrNumber_KeyPress);
    filterKeys("txtid", search::txtid_KeyPress);
    filterKeys("txthorse", search::txthorse_Keypress);
}

void MainFinderWindow::offerNames() {
    // The breeding file's names are read while the user goes on to type a sire's name.
    for (const char* kind : {"optsire", "optdamsire", "optdamdamsire"})
        connect(findChild<QAbstractButton*>(kind), &QAbstractButton::clicked, this,
                [this] { breedingNames_.readAhead(finder_.breedingFile()); });
    // Installed after the box's key filter, so that it sees Enter first.
    new search::NameOfferList(
        findChild<QLineEdit*>("txthorse"),
        [this](const std::string& typed) {
            const auto kind = search::nameBoxKind(finder_);
            return kind ? search::windowOffers(finder_, &breedingNames_, *kind, typed)
                        : std::vector<search::NameOffer>{};
        },
        [this](const search::NameOffer& offer) { run([this, &offer] { search::takeNameOffer(finder_, offer); }); });
}

void MainFinderWindow::filterKeys(const char* name, std::function<int(shell::MainFinder&, int)> filter) {
    auto* box = findChild<QLineEdit*>(name);
    box->installEventFilter(new base::KeyFilter(box, [this, filter = std::move(filter)](int key) {
        const int typed = filter(finder_, key);
        if (typed == 0) showState();
        return typed;
    }));
}

template <typename Command>
void MainFinderWindow::run(Command command) {
    command();
    showState();
}

void MainFinderWindow::showState() {
    setWindowTitle(QString::fromStdString(finder_.caption));
    for (const auto& [name, control] : finder_.controls()) {
        const QString objectName = base::toQString(name);
        if (QObject* object = findChild<QObject*>(objectName)) showControl(object, *control);
    }
    placeInformationArea();
    watch::showWatchChanges(*this, watching_, shownWatchRevision_);
}

// The progeny layout's speed table stands where the average speed frame stands in the
// horse layout, so the status label moves right of it there.
void MainFinderWindow::placeInformationArea() {
    auto* progress = findChild<QLabel*>("lblprogress");
    const bool horse = finder_.horseLayoutShowing();
    const auto& place = *std::find_if(kMainFinderPlaces.begin(), kMainFinderPlaces.end(),
                                      [](const ControlPlace& p) { return std::string_view(p.name) == "lblprogress"; });
    progress->setGeometry(base::twipsRect(horse ? place.x : kProgressProgenyX, place.y,
                                          horse ? place.width : kProgressProgenyWidth, place.height, this));
    placeResultsGrid();
}

// The results grid fills the client area below the panels, however large the window.
void MainFinderWindow::placeResultsGrid() {
    const GridPlace& place = kGridPlaces.back();
    const QRect topLeft = base::twipsRect(place.x, place.y, place.x, kResultsGridBottomMargin, this);
    grids_.at("MSFlexGrid1")
        ->setGeometry(topLeft.x(), topLeft.y(), client_->width() - 2 * topLeft.width(),
                      client_->height() - topLeft.y() - topLeft.height());
}

void MainFinderWindow::openGuide() {
    const QWidget* active = QApplication::activeWindow();
    const std::string name = active ? active->objectName().toStdString() : std::string();
    guide::GuideWindow::open(*this, finder_.dialogs(), guide::pageForWindow(name));
}

void MainFinderWindow::openContextMenu(const QPoint& globalPos) {
    if (!search::MSFlexGrid1_MouseDown(finder_, search::kRightButton)) return;
    watch::showWatchMenu(finder_, watching_);
    showState();
    // The names in the rewritten captions show as they are: an "&" in them (Fisher &
    // Harris) marks no access key.
    for (const char* item : {"datecalc", "listhorse", "listrace", "listowner"}) {
        auto* action = findChild<QAction*>(item);
        action->setText(base::literalCaption(action->text()));
    }
    popmenu_->popup(globalPos);
}

base::GridView* MainFinderWindow::grid(const std::string& name) const {
    const auto it = grids_.find(name);
    return it == grids_.end() ? nullptr : it->second;
}

}  // namespace app
