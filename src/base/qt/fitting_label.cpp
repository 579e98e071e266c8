// SPDX-License-Identifier: MIT
#include "base/qt/fitting_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace base {

FittingLabel::FittingLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);  // names and figures show as they are, never as markup
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void FittingLabel::setWholeText(const QString& text) {
    if (text == whole_ && !text.isEmpty()) return;
    whole_ = text;
    fit();
}

void FittingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void FittingLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) fit();
}

// Cuts the widest line first, one line at a time, so that lines which fit wrapped (a
// date after a long week number) keep every character where there is room for them.
void FittingLabel::fit() {
    const QFontMetrics metrics(font());
    const QRect room = contentsRect();
    const auto fits = [&](const QString& text) {
        return metrics.boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text).height() <=
               room.height();
    };
    QStringList lines = whole_.split('\n');
    bool cut = false;
    while (!fits(lines.join('\n'))) {
        const auto widest =
            std::ranges::max_element(lines, {}, [&](const QString& line) { return metrics.horizontalAdvance(line); });
        if (widest == lines.end() || metrics.horizontalAdvance(*widest) <= room.width()) break;
        *widest = metrics.elidedText(*widest, Qt::ElideRight, room.width());
        cut = true;
    }
    setText(cut ? lines.join('\n') : whole_);
    // The whole text, shown as typed: never read as markup, its line breaks kept.
    setToolTip(cut ? "<p style='white-space:pre'>" + whole_.toHtmlEscaped() + "</p>" : QString());
}

}  // namespace base
