#include "captionheader.h"

#include <QStyleOptionHeader>

CaptionHeader::CaptionHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    setHighlightSections(false);
}

QSize CaptionHeader::sectionSizeFromContents(int logicalIndex) const {
    ensurePolished();
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    option.fontMetrics = fontMetrics();
    option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
}
