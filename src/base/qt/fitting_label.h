// SPDX-License-Identifier: MIT
// A label that wraps its text and cuts the widest lines with an ellipsis rather than hide any.
#pragma once

#include <QLabel>
#include <QString>

namespace base {

// A label of plain text that never lets a line fall out of view: its lines wrap, and where
// the wrapped text would not fit the label's height, the widest lines are cut with an
// ellipsis instead, one by one until it fits; the tooltip then shows the whole text.
class FittingLabel : public QLabel {
    Q_OBJECT
public:
    explicit FittingLabel(QWidget* parent = nullptr);

    void setWholeText(const QString& text);
    const QString& wholeText() const { return whole_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fit();

    QString whole_;
};

}  // namespace base
