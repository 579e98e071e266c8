// SPDX-License-Identifier: MIT
#include "shell/base/qt/fitting_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStringList>

namespace shell {

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

void FittingLabel::fit() {
    const QFontMetrics metrics(font());
    const QRect room = contentsRect();
    const QRect wrapped = metrics.boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, whole_);
    if (wrapped.height() <= room.height()) {
        setWordWrap(true);
        setText(whole_);
        setToolTip({});
        return;
    }
    QStringList lines = whole_.split('\n');
    for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, room.width());
    setWordWrap(false);
    setText(lines.join('\n'));
    // Shown as typed: never read as markup, its line breaks kept.
    setToolTip("<p style='white-space:pre'>" + whole_.toHtmlEscaped() + "</p>");
}

}  // namespace shell
