// SPDX-License-Identifier: MIT
// Grid cells whose text is too wide shown cut with an ellipsis, and whole in their tooltip.
#pragma once

#include <QStyledItemDelegate>

namespace base {

// Paints a grid cell whose text is wider than the cell with an ellipsis on the side where
// the text is cut (the left of a right-aligned number, the right of other texts), never a
// silent cut that could pass for the whole text; the cell's tooltip then shows it whole.
class ElidingDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The text as painted in the cell that `option` describes.
    QString shownText(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    QStyleOptionViewItem shownOption(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

// The text as it fits in `room` pixels: whole, or cut with an ellipsis on the side its
// alignment gives (grid cells and grid captions alike).
QString fittedText(const QString& text, const QFontMetrics& metrics, int room, Qt::Alignment alignment);

}  // namespace base
