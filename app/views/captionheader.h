#pragma once

#include <QHeaderView>

// A header of captions only: no icons, no sort marks, no highlighted sections. Its sections
// are measured in the header's own type. The base class measures them bold, for a
// highlighting this header never shows, which loads a bold variant of every size the
// header's type takes.
class CaptionHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit CaptionHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
};
