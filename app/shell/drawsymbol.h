#pragma once

class SymbolTarget;

// Draws one symbol centred on (5 x column, y) millimetres: 0 a filled disc, 1 an open circle,
// 2 a cross whose ends lie on the circle, 3 an open circle with the cross; any other kind
// draws nothing. The fill style the symbol sets stays set on the target.
void DrawSymbol(SymbolTarget& target, double column, double y, int kind);
