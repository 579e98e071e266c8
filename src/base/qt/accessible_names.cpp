// SPDX-License-Identifier: MIT
#include "base/qt/accessible_names.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>

namespace base {

namespace {

// A caption as it is spoken: "&&" is a shown "&", a lone "&" marks the access key.
QString withoutAccessKey(const QString& caption) {
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size()) break;
        spoken += caption[i];
    }
    return spoken;
}

QString tiedLabel(const QWidget& window, const QWidget& control) {
    for (const auto* label : window.findChildren<QLabel*>())
        if (label->buddy() == &control) return withoutAccessKey(label->text());
    return {};
}

// The caption of the frame the control stands in, or of the tab it is the page of.
QString surroundingCaption(QWidget& control) {
    QWidget* parent = control.parentWidget();
    if (const auto* frame = qobject_cast<QGroupBox*>(parent)) return withoutAccessKey(frame->title());
    if (const auto* tabs = qobject_cast<QTabWidget*>(parent ? parent->parentWidget() : nullptr);
        tabs && qobject_cast<QStackedWidget*>(parent))
        return withoutAccessKey(tabs->tabText(tabs->indexOf(&control)));
    return {};
}

}  // namespace

void nameListsAndGrids(QWidget& window) {
    for (auto* view : window.findChildren<QAbstractItemView*>()) {
        if (!view->accessibleName().isEmpty() || view->window() != &window) continue;
        QString name = tiedLabel(window, *view);
        if (name.isEmpty()) name = surroundingCaption(*view);
        if (!name.isEmpty()) view->setAccessibleName(name);
    }
    // The list that drops down from a combo box is a window of its own.
    for (auto* combo : window.findChildren<QComboBox*>())
        if (combo->view()->accessibleName().isEmpty()) combo->view()->setAccessibleName(tiedLabel(window, *combo));
}

}  // namespace base
