// SPDX-License-Identifier: MIT
#include "guide/qt/guide_window.h"

#include "base/qt/qt_text.h"
#include "base/qt/small_window.h"
#include "base/user_dialogs.h"
#include "guide/guide_folder.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

namespace guide {

namespace {

constexpr const char* kObjectName = "frmguide";
constexpr const char* kCaption = "Player's Guide";

}  // namespace

GuideWindow::GuideWindow(QWidget& mainWindow, std::string folder)
    : QWidget(&mainWindow, Qt::Window), folder_(std::move(folder)), pages_(readGuidePages(folder_)) {
    base::setUpSmallWindow(*this, {kObjectName, kCaption});
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* contents = new QPushButton("&Contents", this);
    contents->setObjectName("cmdcontents");
    auto* back = new QPushButton("&Back", this);
    back->setObjectName("cmdback");
    auto* searchLabel = new QLabel("&Search:", this);
    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName("txtsearch");
    searchBox_->setAccessibleName("Search");
    searchBox_->setPlaceholderText("a word on any page");
    searchBox_->setClearButtonEnabled(true);
    for (auto* clear : searchBox_->findChildren<QToolButton*>()) clear->setAccessibleName("Clear the search");
    searchLabel->setBuddy(searchBox_);
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addSpacing(12);
    bar->addWidget(searchLabel);
    bar->addWidget(searchBox_, 1);
    layout->addLayout(bar);

    hitList_ = new QListWidget(this);
    hitList_->setObjectName("lsthits");
    hitList_->setAccessibleName("Found on the pages");
    hitList_->setTextElideMode(Qt::ElideRight);
    hitList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    hitList_->hide();
    layout->addWidget(hitList_);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("txtpage");
    browser_->setAccessibleName("Page");
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QString::fromStdString(folder_)});
    layout->addWidget(browser_, 1);
    browser_->viewport()->installEventFilter(this);
    searchBox_->installEventFilter(this);

    connect(contents, &QPushButton::clicked, this, [this] { showPage(kContentsPage); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(searchBox_, &QLineEdit::textChanged, this, &GuideWindow::search);
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        if (hitList_->count() > 0) openHit(0);
    });
    connect(hitList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { openHit(hitList_->row(item)); });
    connect(hitList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { openHit(hitList_->row(item)); });
    connect(browser_, &QTextBrowser::sourceChanged, this, &GuideWindow::pageShown);
    // Ctrl+F: to the search box, as in the main window.
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        searchBox_->setFocus(Qt::ShortcutFocusReason);
        searchBox_->selectAll();
    });
    resize(820, 680);
}

GuideWindow* GuideWindow::open(QWidget& mainWindow, base::UserDialogs& dialogs, std::string_view page) {
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    const auto folder = findGuideFolder(programFolder);
    if (!folder) {
        dialogs.message(missingGuideMessage(programFolder), base::kAppTitle);
        return nullptr;
    }
    auto* window =
        base::openOnce<GuideWindow>(mainWindow, kObjectName, [&] { return new GuideWindow(mainWindow, *folder); });
    window->showPage(page);
    return window;
}

void GuideWindow::showPage(std::string_view page) {
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(folder_)).resolved(QUrl(base::toQString(std::string(page))));
    browser_->setSource(url, QTextDocument::MarkdownResource);
}

void GuideWindow::search(const QString& words) {
    hits_ = searchGuide(pages_, words.toStdString());
    hitList_->clear();
    for (const auto& hit : hits_) hitList_->addItem(base::toQString(hit.title + ":  " + hit.line));
    if (hits_.empty() && !words.trimmed().isEmpty()) hitList_->addItem("No page holds \"" + words.trimmed() + "\".");
    const int rows = std::min(hitList_->count(), 6);
    hitList_->setFixedHeight(rows * hitList_->sizeHintForRow(0) + 2 * hitList_->frameWidth());
    hitList_->setVisible(rows > 0);
}

void GuideWindow::openHit(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= hits_.size()) return;
    const auto& hit = hits_[static_cast<std::size_t>(row)];
    showPage(hit.file);
    // The words' place on the page: as many finds from the top as hits on it up to this one.
    const auto sameBefore = std::count_if(hits_.begin(), hits_.begin() + row,
                                          [&hit](const GuideHit& other) { return other.file == hit.file; });
    const QString words = searchBox_->text().trimmed();
    browser_->moveCursor(QTextCursor::Start);
    for (long i = 0; i <= sameBefore; ++i)
        if (!browser_->find(words)) break;
}

void GuideWindow::pageShown(const QUrl& url) {
    fitPictures();
    const std::string anchor = url.fragment().toStdString();
    if (anchor.empty()) return;
    for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || headingAnchor(block.text().trimmed().toStdString()) != anchor)
            continue;
        browser_->verticalScrollBar()->setValue(
            static_cast<int>(browser_->document()->documentLayout()->blockBoundingRect(block).top()));
        return;
    }
}

// Screenshots wider than the page are shown at the page's width, keeping their shape; the
// others at their own size.
void GuideWindow::fitPictures() {
    const qreal room = browser_->viewport()->width() - 2 * browser_->document()->documentMargin() - 8;
    QTextCursor cursor(browser_->document());
    for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            if (!picture.isValid()) continue;
            const QSize size = QImageReader(browser_->source().resolved(QUrl(picture.name())).toLocalFile()).size();
            if (size.isEmpty()) continue;
            const qreal width = std::min<qreal>(room, size.width());
            if (picture.width() == width) continue;
            picture.setWidth(width);
            picture.setHeight(width * size.height() / size.width());
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

bool GuideWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == browser_->viewport() && event->type() == QEvent::Resize) fitPictures();
    // Down from the search box goes to the finds, as from a box that offers names.
    if (watched == searchBox_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && !hits_.empty()) {
        hitList_->setCurrentRow(0);
        hitList_->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace guide
