// SPDX-License-Identifier: MIT
// What the small windows ask of the main window, without knowing the window itself.
#pragma once

class QWidget;

namespace shell {

class MainListing;

// The main window as the small windows see it: the widget they open beside, the showing
// of the state a command left in the core, and its listings.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    virtual QWidget& widget() = 0;
    virtual void showState() = 0;
    virtual MainListing& listing() = 0;
};

}  // namespace shell
