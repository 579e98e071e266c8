// SPDX-License-Identifier: MIT
#include "lineage/qt_page_fetcher.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace lineage {

QtPageFetcher::QtPageFetcher(QObject* parent) : QObject(parent) { setObjectName("Inet"); }

std::optional<std::string> QtPageFetcher::fetch(const std::string& url, std::chrono::milliseconds timeout) {
    // One transfer at a time: whatever is still pending is abandoned first.
    if (reply_) reply_->abort();
    // The address arrives percent-encoded already; tolerant parsing would change it.
    const QUrl address = QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::StrictMode);
    if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https")) return std::nullopt;

    QNetworkReply* reply = network_.get(QNetworkRequest(address));
    reply_ = reply;
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline.start(timeout);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);

    std::optional<std::string> body;
    if (reply->error() == QNetworkReply::NoError) body = reply->readAll().toStdString();
    reply->deleteLater();
    if (reply_ == reply) reply_.clear();
    return body;
}

}  // namespace lineage
