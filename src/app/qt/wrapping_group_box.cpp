// SPDX-License-Identifier: MIT
#include "app/qt/wrapping_group_box.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace app {

void WrappingGroupBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // The style draws the frame; the caption is drawn here, wrapped, over its top edge.
    const QString caption = option.text;
    option.text.clear();
    option.subControls &= ~QStyle::SC_GroupBoxLabel;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);

    const int indent = fontMetrics().averageCharWidth();
    const QRect available(indent, 0, width() - 2 * indent, height());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
    const QRect used = fontMetrics().boundingRect(available, flags, caption);
    painter.fillRect(used.adjusted(-2, 0, 2, 0), palette().window());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(available, flags, caption);
}

}  // namespace app
