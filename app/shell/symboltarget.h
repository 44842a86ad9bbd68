#pragma once

// A surface DrawSymbol draws on, in millimetres: the print preview or a printed page.
class SymbolTarget {
public:
    enum FillStyle { Solid = 0, Transparent = 1 };

    virtual ~SymbolTarget() = default;
    virtual void setFillStyle(FillStyle style) = 0;
    // A circle in the foreground colour, filled black when the fill style is solid.
    virtual void Circle(double x, double y, double r) = 0;
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
};
