// SPDX-License-Identifier: MIT
// The player's guide in the program: it names every command and window, and F1 opens it.
#include "every_window.h"
#include "guide/guide_pages.h"
#include "guide/window_pages.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTextBrowser>

#include <algorithm>

namespace {

// A caption as the guide names it: without "&", the name or number after a ':' or " = ",
// a trailing "..." and blanks.
std::string fixedPart(QString caption) {
    caption.remove('&');
    caption = caption.section(':', 0, 0).section(" = ", 0, 0).trimmed();
    while (caption.endsWith('.') && caption.endsWith("...")) caption.chop(3);
    return caption.trimmed().toLower().toStdString();
}

void addCaptions(const QMenu& menu, std::vector<std::string>& captions) {
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) continue;
        if (action->menu()) addCaptions(*action->menu(), captions);
        captions.push_back(fixedPart(action->text()));
    }
}

class GuideWindowTest : public testing_support::EveryWindowOpen {
protected:
    static std::string guideText() {
        std::string text;
        for (const auto& page : guide::readGuidePages(HARROWDEX_GUIDE_DIR)) text += page.text + "\n";
        std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    }
    guide::GuideWindow* guideWindow() const { return view->findChild<guide::GuideWindow*>("frmguide"); }
};

// A new menu command or window without a word in the guide fails here.
TEST_F(GuideWindowTest, NamesEveryMenuCommandAndWindowTitle) {
    ASSERT_NO_FATAL_FAILURE(openEveryWindow());
    std::vector<std::string> captions;
    for (const QAction* menu : view->menuBar()->actions()) addCaptions(*menu->menu(), captions);
    addCaptions(*view->findChild<QMenu*>("popmenu"), captions);
    const auto shown = windows();
    for (const QWidget* window : std::vector(shown.begin() + 1, shown.end())) {
        captions.push_back(fixedPart(window->windowTitle()));
        const std::string name = window->objectName().toStdString();
        if (name != "frmguide") EXPECT_NE(guide::pageForWindow(name), "index.md") << name << " has no page";
    }
    EXPECT_GE(captions.size(), 45u);
    const std::string text = guideText();
    for (const auto& caption : captions) EXPECT_NE(text.find(caption), std::string::npos) << caption;
}

// F1 opens the page of the window it is pressed in; the search box finds words on any page.
TEST_F(GuideWindowTest, F1OpensTheWindowsPageAndTheSearchOpensItsFinds) {
    view->findChild<QAction*>("classpars")->trigger();
    QWidget* pars = view->findChild<QWidget*>("frmclasspars");
    QApplication::setActiveWindow(pars);
    QTest::keyClick(pars, Qt::Key_F1);
    ASSERT_NE(guideWindow(), nullptr);
    QTextBrowser* page = guideWindow()->browser();
    EXPECT_TRUE(page->source().path().endsWith("/class-pars.md")) << page->source().toString().toStdString();
    EXPECT_TRUE(page->toPlainText().startsWith("Class pars")) << page->toPlainText().left(40).toStdString();

    QTest::keyClicks(guideWindow()->findChild<QLineEdit*>("txtsearch"), "cross index");
    auto* finds = guideWindow()->findChild<QListWidget*>("lsthits");
    ASSERT_TRUE(finds->isVisible());
    ASSERT_GE(finds->count(), 2);
    QListWidgetItem* onCrosses = finds->findItems("Sires and crosses", Qt::MatchStartsWith).value(0);
    ASSERT_NE(onCrosses, nullptr);
    // From the keyboard alone: Down to the finds, then to that one, and Enter.
    QTest::keyClick(guideWindow()->findChild<QLineEdit*>("txtsearch"), Qt::Key_Down);
    ASSERT_EQ(finds->currentRow(), 0);
    finds->setCurrentItem(onCrosses);
    QTest::keyClick(finds, Qt::Key_Return);
    EXPECT_TRUE(page->source().path().endsWith("/sires-and-crosses.md"));
    EXPECT_EQ(page->textCursor().selectedText().toLower(), "cross index");

    // A link to a heading of another page opens that page there.
    page->setSource(QUrl("maintenance.md#removing-weeks"), QTextDocument::MarkdownResource);
    EXPECT_GT(page->verticalScrollBar()->value(), 0);
    page->backward();
    EXPECT_TRUE(page->source().path().endsWith("/sires-and-crosses.md"));
}

}  // namespace
