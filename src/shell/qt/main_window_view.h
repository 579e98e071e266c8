// SPDX-License-Identifier: MIT
// What the small windows ask of the main window, without knowing the window itself.
#pragma once

class QWidget;

namespace shell {

// The main window as the small windows see it: the widget they open beside, and the
// showing of the state a command left in the core.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    virtual QWidget& widget() = 0;
    virtual void showState() = 0;
};

}  // namespace shell
