#include "drawsymbol.h"

#include "shell/symboltarget.h"

#include <cmath>

namespace {
constexpr double kColumnMm = 5;
constexpr double kRadius = 1.25;

void cross(SymbolTarget& target, double x, double y) {
    const double d = kRadius / std::sqrt(2.0);
    target.Line(x + d, y + d, x - d, y - d);
    target.Line(x - d, y + d, x + d, y - d);
}
}  // namespace

void DrawSymbol(SymbolTarget& target, double column, double y, int kind) {
    const double x = kColumnMm * column;
    switch (kind) {
        case 0:
            target.setFillStyle(SymbolTarget::Solid);
            target.Circle(x, y, kRadius);
            break;
        case 1:
            target.setFillStyle(SymbolTarget::Transparent);
            target.Circle(x, y, kRadius);
            break;
        case 2:
            cross(target, x, y);
            break;
        case 3:
            target.setFillStyle(SymbolTarget::Transparent);
            target.Circle(x, y, kRadius);
            cross(target, x, y);
            break;
        default:
            break;
    }
}
