// SPDX-License-Identifier: MIT
#include "base/qt/small_window.h"

#include "base/qt/window_dialogs.h"
#include "base/qt/grid_clipboard.h"
#include "base/qt/grid_view.h"

#include "base/qt/qt_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

namespace base {

namespace {

// Sees the keys that no control of the window took, as they pass up to the window.
class EscapeCloses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
        static_cast<QWidget*>(watched)->close();
        return true;
    }
};

}  // namespace

void showControls(QWidget& window, const NamedControls& controls) {
    for (const auto& [name, control] : controls) {
        auto* widget = window.findChild<QWidget*>(toQString(name));
        if (!widget) continue;
        const QSignalBlocker blocker(widget);
        const QString caption = displayText(control->caption);
        if (auto* frame = qobject_cast<QGroupBox*>(widget)) frame->setTitle(caption);
        else if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(caption);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(caption);
        else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            box->setMaxLength(control->maxLength > 0 ? control->maxLength : 32767);
            if (box->text() != caption) box->setText(caption);
        }
        widget->setEnabled(control->enabled);
        widget->setVisible(control->visible);
    }
}

void connectTextBoxes(QWidget& window, const NamedControls& controls) {
    for (const auto& [name, control] : controls) {
        if (auto* box = window.findChild<QLineEdit*>(toQString(name)))
            QObject::connect(box, &QLineEdit::textEdited, &window,
                             [control = control](const QString& text) { control->caption = text.toStdString(); });
    }
}

void showList(QListWidget& widget, const ListBox& list) {
    const QSignalBlocker blocker(widget);
    widget.clear();
    for (std::size_t i = 0; i < list.listCount(); ++i) {
        widget.addItem(QString::fromStdString(list.list(i)));
        widget.item(static_cast<int>(i))->setSelected(list.selected(i));
    }
}

void connectList(QListWidget& widget, ListBox& list) {
    widget.setSelectionMode(list.multiSelect() ? QAbstractItemView::MultiSelection
                                               : QAbstractItemView::SingleSelection);
    QObject::connect(&widget, &QListWidget::itemSelectionChanged, &widget, [&widget, &list] {
        for (int i = 0; i < widget.count() && static_cast<std::size_t>(i) < list.listCount(); ++i)
            if (list.selected(static_cast<std::size_t>(i)) != widget.item(i)->isSelected())
                list.setSelected(static_cast<std::size_t>(i), widget.item(i)->isSelected());
    });
}

void closeOnEscape(QWidget& window) { window.installEventFilter(new EscapeCloses(&window)); }

void setUpSmallWindow(QWidget& window, const SmallWindowDesign& design) {
    window.setObjectName(design.name);
    window.setAttribute(Qt::WA_DeleteOnClose);
    closeOnEscape(window);
    window.setWindowTitle(design.caption);
    if (design.fontPoints <= 0) return;
    window.setFont(twipsFont("Arial", design.fontPoints));
    window.setFixedSize(twipsToPixelsX(design.clientWidth, &window), twipsToPixelsY(design.clientHeight, &window));
}

QPoint besidePlace(const QRect& main, const QSize& size, const QRect& screen) {
    const int roomRight = screen.right() - main.right();
    const int roomLeft = main.left() - screen.left();
    int x = 0;
    if (roomRight >= size.width()) x = main.right() + 1;
    else if (roomLeft >= size.width()) x = main.left() - size.width();
    else x = roomRight >= roomLeft ? screen.right() + 1 - size.width() : screen.left();
    const int y = std::max(std::min(main.top(), screen.bottom() + 1 - size.height()), screen.top());
    return {std::max(x, screen.left()), y};
}

void bringToFront(QWidget& window) {
    QWidget* owner = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (owner && !window.isVisible() && owner->screen()) {
        // The frame is not known before the window is shown; the owner's stands in for it.
        const QSize frame = owner->frameGeometry().size() - owner->size();
        const QPoint place =
            besidePlace(owner->frameGeometry(), window.size() + frame, owner->screen()->availableGeometry());
        window.move(place);
    }
    window.show();
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
}

QLineEdit* addLabelledBox(QWidget& window, QBoxLayout& row, const char* caption, const char* name,
                          const std::string& text) {
    auto* label = new QLabel(caption, &window);
    auto* box = new QLineEdit(toQString(text), &window);
    box->setObjectName(name);
    label->setBuddy(box);
    row.addWidget(label);
    row.addWidget(box);
    return box;
}

QPushButton* addShowButton(QWidget& window, QBoxLayout& row) {
    auto* show = new QPushButton("S&how", &window);
    show->setObjectName("cmdshow");
    show->setDefault(true);
    row.addWidget(show);
    return show;
}

CountAndExport addCountAndExport(QWidget& window, QBoxLayout& layout) {
    auto* row = new QHBoxLayout;
    auto* count = new QLabel(&window);
    count->setObjectName("lblcount");
    count->setTextFormat(Qt::PlainText);
    auto* exportButton = new QPushButton("&Export...", &window);
    exportButton->setObjectName("cmdexport");
    row->addWidget(count, 1);
    row->addWidget(exportButton);
    layout.addLayout(row);
    return {count, exportButton};
}

GridView* addTable(QWidget& window, QBoxLayout& layout, GridModel& grid, const char* name, const char* accessibleName) {
    auto* view = new GridView(grid, &window);
    view->setObjectName(name);
    view->setAccessibleName(accessibleName);
    layout.addWidget(view, 1);
    enableCopyToClipboard(*view);
    return view;
}

}  // namespace base
