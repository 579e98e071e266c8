// SPDX-License-Identifier: MIT
// A frame whose long caption wraps onto further lines instead of being cut off.
#pragma once

#include <QGroupBox>

namespace app {

// A frame whose caption wraps onto further lines when it is wider than the frame, so a
// long caption in a narrow frame of the fixed layout is shown whole.
class WrappingGroupBox : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace app
