#include "groupboxframe.h"

#include <QImageReader>
#include <QPainter>
#include <algorithm>

namespace {

constexpr qsizetype kKeptWidths = 8;
// Rows blended at a time: with the few rectangles a paint is clipped to, fewer spans than
// the raster engine hands to its thread pool.
constexpr int kBandRows = 16;

// Whether every row is one colour between the left and right margins, and every column one
// colour between the top and bottom margins: then stretching repeats a row and a column.
bool hasUniformMiddle(const QImage& picture, const QMargins& margins) {
    const int right = picture.width() - margins.right();
    const int bottom = picture.height() - margins.bottom();
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const QRgb middle = row[margins.left()];
        if (!std::all_of(row + margins.left(), row + right, [&](QRgb p) { return p == middle; }))
            return false;
        if (y <= margins.top() || y >= bottom) continue;
        const auto* above = reinterpret_cast<const QRgb*>(picture.constScanLine(margins.top()));
        if (!std::equal(row, row + picture.width(), above)) return false;
    }
    return true;
}

// The picture's row that lands on row at of a frame of the given height: the top margin as
// it is, the bottom margin as it is, and the first middle row between.
int sourceOf(int at, int length, int picture, int nearMargin, int farMargin) {
    if (at < nearMargin) return at;
    if (at >= length - farMargin) return picture - (length - at);
    return nearMargin;
}

}  // namespace

QImage GroupBoxFrame::stretched(const QImage& source, const QMargins& margins, const QSize& size) {
    const QImage picture = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = size.width(), height = size.height();
    if (picture.width() <= margins.left() + margins.right() ||
        picture.height() <= margins.top() + margins.bottom() ||
        width < margins.left() + margins.right() || height < margins.top() + margins.bottom() ||
        !hasUniformMiddle(picture, margins))
        return {};
    QImage frame(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(
            sourceOf(y, height, picture.height(), margins.top(), margins.bottom())));
        auto* out = reinterpret_cast<QRgb*>(frame.scanLine(y));
        std::copy_n(row, margins.left(), out);
        std::fill(out + margins.left(), out + width - margins.right(), row[margins.left()]);
        std::copy_n(row + picture.width() - margins.right(), margins.right(),
                    out + width - margins.right());
    }
    return frame;
}

QImage GroupBoxFrame::fusionPicture() {
    // Read as PNG outright: asked to guess, Qt would first load every image plugin installed.
    QImageReader reader(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

const QImage& GroupBoxFrame::rowsOf(int width) {
    auto found = rows_.constFind(width);
    if (found == rows_.cend()) {
        static const QImage picture = fusionPicture();
        const QMargins& m = kFusionMargins;
        if (rows_.size() >= kKeptWidths) rows_.clear();
        found = rows_.insert(width,
                             stretched(picture, m, QSize(width, m.top() + kBandRows + m.bottom())));
    }
    return *found;
}

bool GroupBoxFrame::draw(QPainter* painter, const QRect& frame) {
    const QMargins& m = kFusionMargins;
    if (painter->deviceTransform().type() > QTransform::TxTranslate ||
        frame.height() < m.top() + m.bottom())
        return false;
    const QImage& rows = rowsOf(frame.width());
    if (rows.isNull()) return false;
    const int width = frame.width(), middleEnd = frame.height() - m.bottom();
    painter->drawImage(frame.topLeft(), rows, QRect(0, 0, width, m.top()));
    for (int y = m.top(); y < middleEnd; y += kBandRows)
        painter->drawImage(frame.topLeft() + QPoint(0, y), rows,
                           QRect(0, m.top(), width, std::min(kBandRows, middleEnd - y)));
    painter->drawImage(frame.topLeft() + QPoint(0, middleEnd), rows,
                       QRect(0, m.top() + kBandRows, width, m.bottom()));
    return true;
}
