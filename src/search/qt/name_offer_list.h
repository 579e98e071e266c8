// SPDX-License-Identifier: MIT
// The list of names offered under a box while a name is typed in it.
#pragma once

#include "search/name_offers.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;

namespace search {

// Shows the offers for a box's text in a list under it, read a moment after the last
// keystroke, so that a newer keystroke cancels the read for an older text. The box keeps
// the focus and typing goes on; Up and Down move through the list, Enter takes the offer
// highlighted (with none highlighted it reaches the box as ever), Escape closes it, and
// so does leaving the box. A horse's offer shows its number and last week beside it.
class NameOfferList : public QObject {
    Q_OBJECT
public:
    using Read = std::function<std::vector<NameOffer>(const std::string& typed)>;
    using Take = std::function<void(const NameOffer&)>;
    NameOfferList(QLineEdit* box, Read read, Take taken);
    ~NameOfferList() override;

    QTreeWidget* list() const { return list_.data(); }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool keyPressed(int key);
    void readOffers();
    void showOffers(std::vector<NameOffer> offers);
    void placeUnderBox();
    void moveBy(int step);
    void take(int row);

    QLineEdit* box_;
    QPointer<QTreeWidget> list_;  // a window of its own, which the box's window owns
    QTimer pause_;
    Read read_;
    Take take_;
    std::vector<NameOffer> offers_;
};

}  // namespace search
