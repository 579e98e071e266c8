// SPDX-License-Identifier: MIT
#include "lineage/qt/window_page_fetcher.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace lineage {

WindowPageFetcher::WindowPageFetcher(QObject* parent) : QObject(parent) { setObjectName("Inet"); }

std::optional<std::string> WindowPageFetcher::fetch(const std::string& url, std::chrono::milliseconds timeout) {
    // One transfer at a time: whatever is still pending is abandoned first.
    if (reply_) reply_->abort();
    failure_.clear();
    // The address arrives percent-encoded already; tolerant parsing would change it.
    const QUrl address = QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::StrictMode);
    if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https")) {
        failure_ = "The address " + url + " is no http:// or https:// address of a server.";
        return std::nullopt;
    }

    QNetworkReply* reply = network_.get(QNetworkRequest(address));
    reply_ = reply;
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    bool timedOut = false;
    bool tooLarge = false;
    connect(&deadline, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    // The reply buffers what arrives; an answer beyond the largest page is cut off.
    const auto watch = connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64 total) {
        if (received > qint64{kLargestPage} || total > qint64{kLargestPage}) {
            tooLarge = true;
            reply->abort();
        }
    });
    deadline.start(timeout);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);

    std::optional<std::string> body;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (tooLarge) failure_ = pageTooLargeReason();
    else if (timedOut) failure_ = timedOutReason(timeout);
    else if (status.isValid() && (status.toInt() < 200 || status.toInt() >= 300))
        failure_ = httpStatusReason(status.toInt());
    else if (reply->error() != QNetworkReply::NoError) failure_ = reply->errorString().toStdString() + ".";
    else body = reply->readAll().toStdString();
    disconnect(watch);  // it sees this call's locals
    reply->deleteLater();
    if (reply_ == reply) reply_.clear();
    return body;
}

}  // namespace lineage
