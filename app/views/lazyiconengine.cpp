#include "lazyiconengine.h"

#include <utility>

LazyIconEngine::LazyIconEngine(Maker maker) : maker_(std::move(maker)) {}

const QIcon& LazyIconEngine::icon() {
    if (!made_) {
        icon_ = maker_();
        made_ = true;
    }
    return icon_;
}

void LazyIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                           QIcon::State state) {
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap LazyIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return icon().pixmap(size, mode, state);
}

QPixmap LazyIconEngine::scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                                     qreal scale) {
    return icon().pixmap(size, scale, mode, state);
}

QSize LazyIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) {
    return icon().actualSize(size, mode, state);
}

QList<QSize> LazyIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) {
    return icon().availableSizes(mode, state);
}

QString LazyIconEngine::key() const {
    return QStringLiteral("lazy");
}

QIconEngine* LazyIconEngine::clone() const {
    auto* copy = new LazyIconEngine(maker_);
    copy->icon_ = icon_;
    copy->made_ = made_;
    return copy;
}
