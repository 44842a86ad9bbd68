#include "songlist.h"

#include "form1.h"
#include "shared/songgrid.h"
#include "system/twipsgeometry.h"

void SongList::prepareHeader() {
    SongGrid* grid = form_.MSFlexGrid1;
    grid->setTextMatrix(0, 0, QStringLiteral("Pattern-Name"));
    grid->setTextMatrix(0, 1, QStringLiteral("loops"));
    grid->setTextMatrix(0, 2, QStringLiteral("BPM"));
    grid->setColWidth(1, kNumberColumnWidth);
    grid->setColWidth(2, kNumberColumnWidth);
    const double listWidth = sys::TwipsGeometry::of(grid).width();
    grid->setColWidth(0, listWidth - 2 * kNumberColumnWidth - kListMargin);
    grid->setColAlignment(0, SongGrid::kAlignLeftCenter);
}
