#pragma once

#include <QRectF>
#include <optional>

namespace sys {

// A view that keeps its own position and size in twips. TwipsGeometry stores them here
// instead of in a dynamic property, so placing the hundreds of cells of a grid costs no
// property look-ups by name and no property events.
class TwipsHolder {
public:
    virtual ~TwipsHolder();

protected:
    // New twips were just stored; the widget is placed at its pixels right after.
    virtual void twipsChanged() {}

private:
    friend class TwipsGeometry;
    std::optional<QRectF> twips_;
    double scrollX_ = 0;
};

}  // namespace sys
