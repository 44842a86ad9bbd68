#include "patternstate.h"

#include "form1.h"
#include "shared/checkarray.h"

#include <QLineEdit>

QList<QLineEdit*> PatternState::fields(const Form1& form) {
    return {form.txtTakt,  form.txtTNen, form.txtSubdivs,
            form.txtSpalt, form.txtBPM,  form.txtPatNam};
}

PatternState PatternState::capture(const Form1& form) {
    PatternState state;
    for (const QLineEdit* field : fields(form)) state.texts_ << field->text();
    for (int c = 0; c < form.checkArrayCount(); ++c) state.levels_ << form.checkArray(c)->levels();
    return state;
}

// Only changed texts are put: an unchanged field leaves the grid and the window alone.
void PatternState::restore(Form1& form) const {
    const QList<QLineEdit*> views = fields(form);
    for (int i = 0; i < views.size() && i < texts_.size(); ++i)
        if (views[i]->text() != texts_[i]) views[i]->setText(texts_[i]);
    restoreLevels(form);
}

void PatternState::restoreLevels(Form1& form) const {
    for (int c = 0; c < form.checkArrayCount() && c < levels_.size(); ++c) {
        CheckArray* column = form.checkArray(c);
        const QList<int>& levels = levels_[c];
        for (int r = 1; r <= levels.size(); ++r)
            if (column->value(r) != levels[r - 1]) column->setValue(r, levels[r - 1]);
    }
}
