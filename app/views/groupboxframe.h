#pragma once

#include <QHash>
#include <QImage>
#include <QMargins>

class QPainter;
class QRect;

// The frame the Fusion style draws around a group box, drawn from finished rows. Fusion
// stretches the nine parts of a small picture over the frame, and Qt's raster engine hands
// every stretched part taller than about a hundred lines to a thread pool and waits for it:
// the two frames of the main window cost more than a millisecond of its first paint. The
// picture's edges and middle are uniform, so the stretched frame is its top rows, one middle
// row repeated and its bottom rows; those are made once per width and copied in bands short
// enough to be blended at once.
class GroupBoxFrame {
public:
    // Draws the frame at the rect in painter's coordinates; false where it cannot be drawn so
    // (a scaled or high-density painter, a frame smaller than the corners, another picture),
    // and the style should draw it itself.
    bool draw(QPainter* painter, const QRect& frame);

    // The frame of the given size drawn from a picture of margin-sized corners with uniform
    // edges and middle; a null image where the picture is not such.
    static QImage stretched(const QImage& picture, const QMargins& margins, const QSize& size);

    // Fusion's picture for the frame and the margins it keeps unstretched.
    static QImage fusionPicture();
    static constexpr QMargins kFusionMargins{6, 6, 6, 6};

private:
    const QImage& rowsOf(int width);

    QHash<int, QImage> rows_;  // by width: the top rows, a band of middle rows, the bottom rows
};
