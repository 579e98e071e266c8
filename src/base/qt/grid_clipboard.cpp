// SPDX-License-Identifier: MIT
#include "base/qt/grid_clipboard.h"

#include "base/grid_selection_text.h"
#include "base/qt/grid_view.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

namespace base {

void enableCopyToClipboard(GridView& view) {
    auto* copy = new QAction(&view);
    copy->setObjectName("copyselection");
    copy->setShortcut(QKeySequence::Copy);
    // Only while this grid has the focus: the text boxes keep their own Ctrl+C.
    copy->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copy, &QAction::triggered, &view, [&view] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(selectionAsTabSeparatedText(view.grid())));
    });
    view.addAction(copy);
}

}  // namespace base
