// SPDX-License-Identifier: MIT
#include "search/qt/name_offer_list.h"

#include "base/qt/qt_text.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScreen>
#include <QTreeWidget>

#include <algorithm>

namespace search {

namespace {

// Long enough for a run of keystrokes to cost one read, short enough to go unnoticed.
constexpr int kPauseMs = 30;

QString horseDetails(const NameOffer& offer) { return QString("%1  week %2").arg(*offer.id).arg(*offer.lastWeek); }

}  // namespace

NameOfferList::NameOfferList(QLineEdit* box, Read read, Take taken)
    : QObject(box), box_(box), list_(new QTreeWidget(box->window())), read_(std::move(read)), take_(std::move(taken)) {
    list_->setObjectName(box->objectName() + "offers");
    // A window of its own, so that it may reach past the box's window, that never takes
    // the focus from the box.
    list_->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    list_->setAttribute(Qt::WA_ShowWithoutActivating);
    list_->setFont(box->font());  // a window of its own takes no font from the box's
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setAccessibleName("Names offered");
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { take(list_->indexOfTopLevelItem(item)); });
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, &NameOfferList::readOffers);
    connect(box_, &QLineEdit::textEdited, this, [this] {
        pause_.start();  // a newer keystroke starts the pause again, and the older text is never read
    });
    box_->installEventFilter(this);
}

NameOfferList::~NameOfferList() { delete list_; }

bool NameOfferList::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_) return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return list_->isVisible() && keyPressed(static_cast<QKeyEvent*>(event)->key());
    case QEvent::FocusOut:
    case QEvent::Hide:
        list_->hide();
        break;
    default:
        break;
    }
    return false;
}

bool NameOfferList::keyPressed(int key) {
    switch (key) {
    case Qt::Key_Down:
        moveBy(1);
        return true;
    case Qt::Key_Up:
        moveBy(-1);
        return true;
    case Qt::Key_Escape:
        list_->hide();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int row = list_->currentItem() && list_->currentItem()->isSelected()
                            ? list_->indexOfTopLevelItem(list_->currentItem())
                            : -1;
        list_->hide();
        if (row < 0) return false;  // the box's own Enter
        take(row);
        return true;
    }
    default:
        return false;
    }
}

void NameOfferList::readOffers() {
    if (!box_->hasFocus()) return;
    showOffers(read_(box_->text().toStdString()));
}

void NameOfferList::showOffers(std::vector<NameOffer> offers) {
    offers_ = std::move(offers);
    list_->clear();
    if (offers_.empty()) {
        list_->hide();
        return;
    }
    const bool horses = offers_.front().id.has_value();
    list_->setColumnCount(horses ? 2 : 1);
    for (const auto& offer : offers_) {
        auto* item = new QTreeWidgetItem(list_, {base::toQString(offer.name)});
        if (horses) item->setText(1, horseDetails(offer));
    }
    for (int column = 0; column < list_->columnCount(); ++column) list_->resizeColumnToContents(column);
    list_->setCurrentItem(nullptr);
    list_->clearSelection();
    placeUnderBox();
    list_->show();
}

// Under the box, as wide as the names need and no less than the box, moved left where the
// screen ends.
void NameOfferList::placeUnderBox() {
    const int height = list_->topLevelItemCount() * list_->sizeHintForRow(0) + 2 * list_->frameWidth();
    int width = 2 * list_->frameWidth();
    for (int column = 0; column < list_->columnCount(); ++column) width += list_->columnWidth(column);
    QRect place(box_->mapToGlobal(QPoint(0, box_->height())), QSize(std::max(width, box_->width()), height));
    const QRect screen = box_->screen()->availableGeometry();
    if (place.right() > screen.right()) place.moveRight(std::max(screen.right(), screen.left() + place.width() - 1));
    list_->setGeometry(place);
}

void NameOfferList::moveBy(int step) {
    const int count = list_->topLevelItemCount();
    auto* current = list_->currentItem();
    const int row = current && current->isSelected() ? list_->indexOfTopLevelItem(current) : (step > 0 ? -1 : count);
    const int next = std::clamp(row + step, 0, count - 1);
    list_->setCurrentItem(list_->topLevelItem(next));
    list_->topLevelItem(next)->setSelected(true);
}

void NameOfferList::take(int row) {
    if (row < 0 || row >= static_cast<int>(offers_.size())) return;
    list_->hide();
    pause_.stop();
    const NameOffer offer = offers_[static_cast<std::size_t>(row)];
    take_(offer);
}

}  // namespace search
