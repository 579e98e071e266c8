// SPDX-License-Identifier: MIT
#include "base/qt/eliding_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QToolTip>

namespace base {

namespace {

QStyle* styleOf(const QStyleOptionViewItem& option) {
    return option.widget ? option.widget->style() : QApplication::style();
}

// The width the style leaves the text of an item: its text rectangle less the margins
// the style keeps on either side when it draws the text.
int textRoom(const QStyleOptionViewItem& option) {
    QStyle* style = styleOf(option);
    const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &option, option.widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    return rect.width() - 2 * margin;
}

// The rest of a row that holds a selected cell shows in a lighter highlight over the
// cell's own colour, so the row the commands act on reads across while the chosen cells
// stand out.
void tintSelectedRow(QStyleOptionViewItem& shown, const QModelIndex& index) {
    if (shown.state.testFlag(QStyle::State_Selected)) return;
    const auto* view = qobject_cast<const QAbstractItemView*>(shown.widget);
    if (!view || !view->selectionModel() ||
        !view->selectionModel()->rowIntersectsSelection(index.row(), index.parent()))
        return;
    const QColor back = shown.backgroundBrush.style() == Qt::NoBrush ? shown.palette.color(QPalette::Base)
                                                                     : shown.backgroundBrush.color();
    const QColor mark = shown.palette.color(QPalette::Highlight);
    const auto mix = [](int own, int highlight) { return (own * 3 + highlight * 2) / 5; };
    shown.backgroundBrush =
        QColor(mix(back.red(), mark.red()), mix(back.green(), mark.green()), mix(back.blue(), mark.blue()));
}

}  // namespace

QString fittedText(const QString& text, const QFontMetrics& metrics, int room, Qt::Alignment alignment) {
    return metrics.elidedText(text, alignment.testFlag(Qt::AlignRight) ? Qt::ElideLeft : Qt::ElideRight, room);
}

QStyleOptionViewItem ElidingDelegate::shownOption(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem shown = option;
    initStyleOption(&shown, index);
    shown.text = fittedText(shown.text, shown.fontMetrics, textRoom(shown), shown.displayAlignment);
    // The style would cut the text once more, wherever its own room is a pixel short.
    shown.textElideMode = shown.displayAlignment.testFlag(Qt::AlignRight) ? Qt::ElideLeft : Qt::ElideRight;
    return shown;
}

QString ElidingDelegate::shownText(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return shownOption(option, index).text;
}

void ElidingDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem shown = shownOption(option, index);
    tintSelectedRow(shown, index);
    styleOf(shown)->drawControl(QStyle::CE_ItemViewItem, &shown, painter, shown.widget);
}

bool ElidingDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString whole = index.data(Qt::DisplayRole).toString();
    const QString cut = !whole.isEmpty() && shownText(option, index) != whole ? whole : QString();
    // A cell with a note of its own shows the note, below the whole text when that is cut.
    const QString note = index.data(Qt::ToolTipRole).toString();
    QString tip = cut.isEmpty() || note.isEmpty() ? cut + note : cut + '\n' + note;
    // A note shows as typed: never read as markup, its line breaks and tabs kept.
    if (!note.isEmpty()) tip = "<p style='white-space:pre-wrap'>" + tip.toHtmlEscaped() + "</p>";
    if (!tip.isEmpty()) QToolTip::showText(event->globalPos(), tip, view->viewport(), option.rect);
    else
        QToolTip::hideText();
    return true;
}

}  // namespace base
