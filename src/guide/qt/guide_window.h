// SPDX-License-Identifier: MIT
// The player's guide on screen: its pages with their links and pictures, and a search across them.
#pragma once

#include "guide/guide_pages.h"

#include <QWidget>

#include <string>
#include <string_view>
#include <vector>

class QLineEdit;
class QListWidget;
class QTextBrowser;
class QUrl;

namespace base {
class UserDialogs;
}  // namespace base

namespace guide {

// The guide window `frmguide`: "Contents" and "Back" buttons, the search box, the list of
// the lines that hold the searched words (shown while the box holds any; Down reaches them,
// Enter opens one) and the page.
// Links to other pages and to their headings open them here; links out of the guide open
// in the user's browser. It never blocks the main window, is open at most once, and closes
// with it or with Escape.
class GuideWindow : public QWidget {
    Q_OBJECT
public:
    GuideWindow(QWidget& mainWindow, std::string folder);

    // Opens `page` (a file of the guide, with or without "#heading") in the open window or
    // a new one; tells the user where the guide was looked for when it cannot be found.
    static GuideWindow* open(QWidget& mainWindow, base::UserDialogs& dialogs, std::string_view page);

    void showPage(std::string_view page);
    QTextBrowser* browser() const { return browser_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(const QString& words);
    void openHit(int row);
    void pageShown(const QUrl& url);
    void fitPictures();

    std::string folder_;
    std::vector<GuidePage> pages_;
    std::vector<GuideHit> hits_;
    QLineEdit* searchBox_ = nullptr;
    QListWidget* hitList_ = nullptr;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace guide
