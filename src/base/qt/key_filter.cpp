// SPDX-License-Identifier: MIT
#include "base/qt/key_filter.h"

#include <QKeyEvent>

namespace base {

KeyFilter::KeyFilter(QObject* parent, std::function<int(int)> filter) : QObject(parent), filter_(std::move(filter)) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;  // shortcuts, not typing
    int code = 0;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) code = 13;
    else if (key->key() == Qt::Key_Backspace) code = 8;
    else if (key->text().size() == 1 && key->text().at(0).isPrint()) code = key->text().at(0).unicode();
    else return false;
    return filter_(code) == 0;
}

}  // namespace base
