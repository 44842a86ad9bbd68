#pragma once

#include <QIcon>
#include <QIconEngine>
#include <functional>

// An icon made when it is first drawn or measured: until then it costs nothing. It then
// answers exactly as the icon its maker returns.
class LazyIconEngine : public QIconEngine {
public:
    using Maker = std::function<QIcon()>;

    explicit LazyIconEngine(Maker maker);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QIconEngine* clone() const override;

private:
    const QIcon& icon();

    Maker maker_;
    QIcon icon_;
    bool made_ = false;
};
