#pragma once

#include "pattern/pattern.h"

#include <QObject>

class CheckArray;
class Form1;
class GridGeometry;
class QLineEdit;

// The pattern on screen. The grid, the instrument labels and the header fields show one
// Pattern; show() is the one place that writes a pattern onto them, and the view keeps its
// pattern current from every edit made on them (clicks, keys, typed fields). Everything
// else reads pattern(), never the widgets.
class PatternView : public QObject {
    Q_OBJECT

public:
    // Built after the grid geometry, so a typed count has reshaped the grid before the
    // pattern follows it.
    PatternView(Form1& form, GridGeometry& geometry);

    const Pattern& pattern() const { return pattern_; }
    // Puts a pattern on screen: the count fields first (the grid follows them as typing
    // would), then the other fields, the instrument labels and the changed cells. Raises no
    // click.
    void show(const Pattern& pattern);

    // Start-up: the instrument labels just made carry their template's caption until the
    // instrument list names them; the pattern takes them as they are.
    void takeInstrumentLabels();

    // The field showing a header field of the pattern.
    QLineEdit* field(Pattern::Field field) const;

private:
    void watchColumn(CheckArray* column);
    void followField(Pattern::Field field);
    void showInstruments(const QList<Instrument>& instruments);
    void showLevels(const Pattern& pattern);

    Form1& form_;
    Pattern pattern_;
};
