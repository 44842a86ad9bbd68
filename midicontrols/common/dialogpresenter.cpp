#include "dialogpresenter.h"

#include <QDialog>

namespace sonaport {

namespace {

DialogPresenter::Presenter& installed() {
    static DialogPresenter::Presenter presenter;
    return presenter;
}

}  // namespace

void DialogPresenter::present(QDialog& dialog) {
    if (installed())
        installed()(dialog);
    else
        dialog.exec();
}

void DialogPresenter::install(Presenter presenter) {
    installed() = std::move(presenter);
}

}  // namespace sonaport
