// SPDX-License-Identifier: MIT
#include "shell/main_finder_window.h"

#include "import/import_driver.h"
#include "shell/qt_grid_view.h"
#include "shell/qt_main_finder_layout.h"
#include "shell/qt_twips.h"
#include "shell/qt_user_dialogs.h"
#include "shell/qt_wrapping_group_box.h"

#include <QAction>
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
#include <QSignalBlocker>

namespace shell {

namespace {

QWidget* createControl(ControlKind kind, QWidget* parent) {
    switch (kind) {
    case ControlKind::Frame: return new QGroupBox(parent);
    case ControlKind::WrappedFrame: return new WrappingGroupBox(parent);
    case ControlKind::Label: {
        auto* label = new QLabel(parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case ControlKind::TextBox: return new QLineEdit(parent);
    case ControlKind::CheckBox: return new QCheckBox(parent);
    case ControlKind::Option: return new QRadioButton(parent);
    case ControlKind::Button: return new QPushButton(parent);
    }
    return nullptr;
}

// Shows one control's state on whatever widget or menu item carries its name.
void showControl(QObject* object, const Control& control) {
    const QSignalBlocker blocker(object);
    const QString caption = displayText(control.caption);
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
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) frame->setTitle(caption);
    else if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(caption);
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

MainFinderWindow::MainFinderWindow(MainFinder& finder, QWidget* parent) : QMainWindow(parent), finder_(finder) {
    setObjectName("frmmainfinder");
    setFont(QFont("Arial", 7.5));  // NOLINT: points, as the design gives them
    client_ = new QWidget(this);
    setCentralWidget(client_);
    client_->setFixedSize(twipsToPixelsX(MainFinder::kClientWidth, this),
                          twipsToPixelsY(MainFinder::kClientHeight, this));
    createControls();
    createGrids();
    createMenus();
    connectControls();
    connectCommands();
    setAcceptDrops(true);
    move(twipsToPixelsX(finder_.leftTwips, this), twipsToPixelsY(finder_.topTwips, this));
    showState();
}

void MainFinderWindow::createControls() {
    for (const auto& place : kMainFinderPlaces) {
        QWidget* parent = *place.parent ? client_->findChild<QWidget*>(place.parent) : client_;
        QWidget* widget = createControl(place.kind, parent);
        widget->setObjectName(place.name);
        widget->setGeometry(twipsRect(place.x, place.y, place.width, place.height, this));
    }
}

void MainFinderWindow::createGrids() {
    for (const auto& place : kGridPlaces) {
        GridModel* model = nullptr;
        for (const auto& [name, grid] : finder_.grids())
            if (name == place.name) model = grid;
        QWidget* parent = *place.parent ? client_->findChild<QWidget*>(place.parent) : client_;
        auto* view = new GridView(*model, parent);
        view->setObjectName(place.name);
        grids_[place.name] = view;
        if (model != &finder_.MSFlexGrid1) {
            view->setDisplayOnly();
            view->setGeometry(QRect(twipsRect(place.x, place.y, 0, 0, this).topLeft(), view->designedSize()));
        }
    }
    connect(grids_["MSFlexGrid1"], &GridView::contextMenuRequested, this, &MainFinderWindow::openContextMenu);
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
    addItem(file, "cmdremoverace");
    addBar(file, "bar4");
    addItem(file, "cmdprint");
    addItem(file, "ExportText");
    QMenu* utilities = addMenu("Utilitiesmenu");
    addItem(utilities, "datecalculator");
    addBar(utilities, "bar5");
    addItem(utilities, "cmdcompact");
    addItem(utilities, "edittracks");

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
    addBar(popmenu_, "bar2");
    addItem(popmenu_, "listfilter");
    addBar(popmenu_, "bar3");
    addItem(popmenu_, "msfgridreset");
    addItem(popmenu_, "msfgridback");
}

void MainFinderWindow::onCommand(const char* name, std::function<void()> command) {
    connect(findChild<QAction*>(name), &QAction::triggered, this,
            [this, command = std::move(command)] { run(command); });
}

void MainFinderWindow::connectCommands() {
    onCommand("cmdimportdata", [this] { import::cmdimportdata_Click(finder_); });
    onCommand("msfgridreset", [this] { finder_.msfgridreset_click(); });
    onCommand("msfgridback", [this] { finder_.msfgridback_Click(); });
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
        QObject* object = findChild<QObject*>(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
        if (auto* box = qobject_cast<QLineEdit*>(object)) {
            connect(box, &QLineEdit::textEdited, this,
                    [control = control](const QString& text) { control->caption = text.toStdString(); });
        } else if (auto* option = qobject_cast<QRadioButton*>(object)) {
            connect(option, &QRadioButton::clicked, this,
                    [this, control = control] { run([this, control] { finder_.selectSearchKind(*control); }); });
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

template <typename Command>
void MainFinderWindow::run(Command command) {
    command();
    showState();
}

void MainFinderWindow::showState() {
    setWindowTitle(QString::fromStdString(finder_.caption));
    for (const auto& [name, control] : finder_.controls()) {
        const QString objectName = QString::fromUtf8(name.data(), static_cast<int>(name.size()));
        if (QObject* object = findChild<QObject*>(objectName)) showControl(object, *control);
    }
    placeInformationArea();
}

// The progeny layout's speed table stands where the average speed frame stands in the
// horse layout, so the status label moves right of it there.
void MainFinderWindow::placeInformationArea() {
    auto* progress = findChild<QLabel*>("lblprogress");
    const bool horse = finder_.horseLayoutShowing();
    const auto& place = *std::find_if(kMainFinderPlaces.begin(), kMainFinderPlaces.end(),
                                      [](const ControlPlace& p) { return std::string_view(p.name) == "lblprogress"; });
    progress->setGeometry(twipsRect(horse ? place.x : kProgressProgenyX, place.y,
                                    horse ? place.width : kProgressProgenyWidth, place.height, this));
    auto* results = grids_.at("MSFlexGrid1");
    const int top = kGridPlaces.back().y;
    results->setGeometry(twipsRect(kGridPlaces.back().x, top, MainFinder::kClientWidth - 2 * kGridPlaces.back().x,
                                   MainFinder::kClientHeight - top - kResultsGridBottomMargin, this));
}

void MainFinderWindow::openContextMenu(const QPoint& globalPos) {
    // No menu on the grid's last row: before any search that is its only data row.
    const GridModel& grid = finder_.MSFlexGrid1;
    if (grid.rowSel() + 1 == grid.rows()) return;
    showState();
    popmenu_->popup(globalPos);
}

GridView* MainFinderWindow::grid(const std::string& name) const {
    const auto it = grids_.find(name);
    return it == grids_.end() ? nullptr : it->second;
}

}  // namespace shell
