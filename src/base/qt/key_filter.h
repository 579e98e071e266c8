// SPDX-License-Identifier: MIT
// Hands a widget's typed characters to a core key filter and drops those the filter refuses.
#pragma once

#include <QObject>
#include <functional>

namespace base {

// Hands each typed character of a widget to a core key filter, as its character code
// (Enter as 13, Backspace as 8), and drops the key when the filter answers 0. Keys that
// type nothing (arrows, Delete, Tab) pass untouched.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    KeyFilter(QObject* parent, std::function<int(int)> filter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<int(int)> filter_;
};

}  // namespace base
