// SPDX-License-Identifier: MIT
#include "watch/qt/watch_list_window.h"

#include "base/grid_model.h"
#include "base/grid_selection_text.h"
#include "base/qt/qt_text.h"
#include "base/qt/accessible_names.h"
#include "base/qt/small_window.h"
#include "shell/window_session.h"
#include "shell/qt/main_window_view.h"
#include "store/store_error.h"
#include "watch/watch_commands.h"
#include "watch/watch_state.h"
#include "watch/watch_transfer.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace watch {

namespace {

constexpr const char* kObjectName = "frmwatchlist";
constexpr int kNoteRole = Qt::UserRole;  // the note as typed; the cell shows it on one line

// Edits a note in place, as typed, and keeps it only when the watch list took it.
class NoteDelegate : public QStyledItemDelegate {
public:
    using Save = std::function<bool(int row, const std::string& note)>;
    NoteDelegate(QObject* parent, Save save) : QStyledItemDelegate(parent), save_(std::move(save)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setMaxLength(static_cast<int>(kMostNoteCharacters));
        return editor;
    }
    // A note reads while it is typed: the editor takes room for some forty characters
    // beyond a narrow column, to the left where the table ends.
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const override {
        constexpr int kReadableCharacters = 40;
        QRect place = option.rect;
        place.setWidth(
            std::max(place.width(), editor->fontMetrics().horizontalAdvance(QString(kReadableCharacters, 'n'))));
        if (const QWidget* viewport = editor->parentWidget()) {
            if (place.right() >= viewport->width()) place.moveRight(viewport->width() - 1);
            place.setLeft(std::max(place.left(), 0));
        }
        editor->setGeometry(place);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(index.data(kNoteRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        const QString note = static_cast<QLineEdit*>(editor)->text();
        if (note == index.data(kNoteRole).toString() || !save_(index.row(), note.toStdString())) return;
        model->setData(index, note, kNoteRole);
        model->setData(index, base::toQString(oneLine(note.toStdString())), Qt::DisplayRole);
    }

private:
    Save save_;
};

// The widest a note column opens; a longer note shows cut, and whole when edited.
constexpr int kMostNoteWidth = 320;

// Rows that ran in the last import, until the next one.
const QColor kRanColour(255, 236, 160);

void fillRow(QTableWidget& table, int row, const std::vector<std::string>& cells, int noteColumn, bool ran) {
    for (int col = 0; col < static_cast<int>(cells.size()); ++col) {
        const std::string& text = cells[static_cast<std::size_t>(col)];
        auto* item = new QTableWidgetItem(base::toQString(col == noteColumn ? oneLine(text) : text));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (col == noteColumn) {
            flags |= Qt::ItemIsEditable;
            item->setData(kNoteRole, base::toQString(text));
        }
        item->setFlags(flags);
        if (ran) item->setBackground(kRanColour);
        table.setItem(row, col, item);
    }
}

// Fills a table row by row; columns as wide as their texts (the note's within bounds),
// and the current cell where it was.
void fillTable(QTableWidget& table, const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& ran,
               int noteColumn) {
    table.setUpdatesEnabled(false);
    const int currentRow = table.currentRow(), currentColumn = table.currentColumn();
    table.setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const auto r = static_cast<std::size_t>(row);
        fillRow(table, row, rows[r], noteColumn, ran[r]);
    }
    table.resizeColumnsToContents();
    if (table.columnWidth(noteColumn) > kMostNoteWidth) table.setColumnWidth(noteColumn, kMostNoteWidth);
    if (currentRow >= 0 && currentRow < table.rowCount()) table.setCurrentCell(currentRow, currentColumn);
    table.setUpdatesEnabled(true);
}

}  // namespace

WatchListWindow::WatchListWindow(shell::MainWindowView& mainWindow, shell::WindowSession& finder,
                                 const WatchState& watching)
    : QWidget(&mainWindow.widget(), Qt::Window), mainWindow_(mainWindow), finder_(finder), watching_(watching) {
    base::setUpSmallWindow(*this, {kObjectName, "Watch List"});
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabwatch");
    horses_ = createTable("grdhorses", horseCaptions(), kHorseNoteColumn);
    stables_ = createTable("grdstables", stableCaptions(), kStableNoteColumn);
    tabs_->addTab(horses_, "&Horses");
    tabs_->addTab(stables_, "&Stables");
    layout->addWidget(tabs_);
    layout->addLayout(createTransferButtons());
    resize(1040, 420);
    base::nameListsAndGrids(*this);
    reload();
}

QTableWidget* WatchListWindow::createTable(const char* name, const std::vector<std::string>& captions, int noteColumn) {
    auto* table = new QTableWidget(0, static_cast<int>(captions.size()), this);
    table->setObjectName(name);
    QStringList labels;
    for (const auto& caption : captions) labels << base::toQString(caption);
    table->setHorizontalHeaderLabels(labels);
    table->verticalHeader()->hide();
    table->setWordWrap(false);  // a note shows on one line, cut with an ellipsis
    table->horizontalHeader()->setStretchLastSection(false);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->setItemDelegateForColumn(
        noteColumn, new NoteDelegate(
                        table, [this, table](int row, const std::string& note) { return saveNote(table, row, note); }));
    connect(table, &QTableWidget::cellDoubleClicked, this,
            [this, table](int row, int column) { listRow(table, row, column); });
    table->installEventFilter(this);
    return table;
}

// The list carried to and from a file, below the tabs.
QHBoxLayout* WatchListWindow::createTransferButtons() {
    auto* buttons = new QHBoxLayout;
    auto* exportButton = new QPushButton("&Export...", this);
    exportButton->setObjectName("cmdexportwatch");
    connect(exportButton, &QPushButton::clicked, this, [this] { cmdexportwatch_Click(finder_); });
    auto* importButton = new QPushButton("&Import...", this);
    importButton->setObjectName("cmdimportwatch");
    connect(importButton, &QPushButton::clicked, this, [this] {
        if (cmdimportwatch_Click(finder_)) showChangeLater();
    });
    buttons->addWidget(exportButton);
    buttons->addWidget(importButton);
    buttons->addStretch();
    return buttons;
}

WatchListWindow* WatchListWindow::openWindow(QWidget& mainWindow) {
    return mainWindow.findChild<WatchListWindow*>(kObjectName, Qt::FindDirectChildrenOnly);
}

WatchListWindow* WatchListWindow::watchlist_Click(shell::MainWindowView& mainWindow, shell::WindowSession& finder,
                                                  const WatchState& watching) {
    return base::openOnce<WatchListWindow>(mainWindow.widget(), kObjectName,
                                           [&] { return new WatchListWindow(mainWindow, finder, watching); });
}

void WatchListWindow::reload() {
    try {
        list_ = readWatchList(finder_.raceStorePath());
    } catch (const store::StoreError& error) {
        list_ = {};
        finder_.dialogs().message(error.what(), base::kAppTitle);
    }
    fillHorses();
    fillStables();
}

void WatchListWindow::fillHorses() {
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> ran;
    for (const auto& horse : list_.horses) {
        rows.push_back(horseCells(horse, finder_.clock()));
        ran.push_back(watching_.lastImport.horsesRan.contains(horse.hid));
    }
    fillTable(*horses_, rows, ran, kHorseNoteColumn);
}

void WatchListWindow::fillStables() {
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> ran;
    for (const auto& stable : list_.stables) {
        rows.push_back(stableCells(stable, finder_.clock()));
        ran.push_back(watching_.lastImport.stablesRan.contains(stable.name));
    }
    fillTable(*stables_, rows, ran, kStableNoteColumn);
}

bool WatchListWindow::saveNote(QTableWidget* table, int row, const std::string& note) {
    const auto index = static_cast<std::size_t>(row);
    const bool saved = table == horses_ ? setHorseNote(finder_, list_.horses.at(index).hid, note)
                                        : setStableNote(finder_, list_.stables.at(index).name, note);
    if (saved) showChangeLater();
    return saved;
}

void WatchListWindow::listRow(QTableWidget* table, int row, int column) {
    const auto index = static_cast<std::size_t>(row);
    if (table == horses_) {
        if (column == kHorseNoteColumn || index >= list_.horses.size()) return;
        listWatchedHorse(mainWindow_.listing(), list_.horses[index]);
    } else {
        if (column == kStableNoteColumn || index >= list_.stables.size()) return;
        listWatchedStable(mainWindow_.listing(), list_.stables[index]);
    }
    mainWindow_.showState();
}

void WatchListWindow::stopWatchingRow(QTableWidget* table) {
    const int row = table->currentRow();
    if (row < 0) return;
    const auto index = static_cast<std::size_t>(row);
    const bool stopped = table == horses_ ? askToStopWatching(finder_, list_.horses.at(index))
                                          : askToStopWatching(finder_, list_.stables.at(index));
    if (stopped) showChangeLater();
}

// The selection's bounding block, captions first, as the listings copy theirs.
void WatchListWindow::copySelection(QTableWidget* table) {
    const auto ranges = table->selectedRanges();
    if (ranges.isEmpty()) return;
    int top = table->rowCount(), left = table->columnCount(), bottom = 0, right = 0;
    for (const auto& range : ranges) {
        top = std::min(top, range.topRow());
        left = std::min(left, range.leftColumn());
        bottom = std::max(bottom, range.bottomRow());
        right = std::max(right, range.rightColumn());
    }
    base::GridModel grid(table->rowCount() + 1, table->columnCount(), 1, 0);
    for (int col = 0; col < table->columnCount(); ++col) {
        grid.setText(0, col, table->horizontalHeaderItem(col)->text().toStdString());
        for (int row = 0; row < table->rowCount(); ++row) {
            const QTableWidgetItem* item = table->item(row, col);
            const QVariant note = item ? item->data(kNoteRole) : QVariant();
            grid.setText(row + 1, col,
                         (note.isValid() ? note.toString()
                          : item         ? item->text()
                                         : QString())
                             .toStdString());
        }
    }
    grid.select(top + 1, left, bottom + 1, right);
    QApplication::clipboard()->setText(base::toQString(base::selectionAsTabSeparatedText(grid)));
}

bool WatchListWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* table = qobject_cast<QTableWidget*>(watched);
    // Keys typed into an open note editor go to the editor, not here.
    if (table && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            stopWatchingRow(table);
            return true;
        }
        // Enter lists the row as a double click does, so the list serves from the keyboard alone.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && table->currentRow() >= 0) {
            listRow(table, table->currentRow(), table->currentColumn());
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            copySelection(table);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void WatchListWindow::showChangeLater() {
    QTimer::singleShot(0, &mainWindow_.widget(), [window = &mainWindow_] { window->showState(); });
}

}  // namespace watch
