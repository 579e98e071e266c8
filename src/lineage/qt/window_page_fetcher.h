// SPDX-License-Identifier: MIT
// The window's HTTP client for horse pages, which keeps every window painting while a page is awaited.
#pragma once

#include "lineage/page_fetcher.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

class QNetworkReply;

namespace lineage {

// The window's HTTP client (`Inet`). While a page is awaited a local event loop keeps
// every window painting but holds back the user's input, so the user sees the wait and
// cannot start another command meanwhile.
class WindowPageFetcher : public QObject, public PageFetcher {
    Q_OBJECT
public:
    explicit WindowPageFetcher(QObject* parent = nullptr);

    std::optional<std::string> fetch(const std::string& url, std::chrono::milliseconds timeout) override;
    std::string failureReason() const override { return failure_; }
    // A transfer is under way (a timer or a posted event may run while it waits).
    bool pending() const { return !reply_.isNull(); }

private:
    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    std::string failure_;
};

}  // namespace lineage
