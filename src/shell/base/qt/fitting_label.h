// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QString>

namespace shell {

// A label of plain text that never lets a line fall out of view: the text wraps where the
// wrapped text fits the label's height; where it would not, each line too long for the
// width is cut with an ellipsis instead, and the tooltip shows the whole text.
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

}  // namespace shell
