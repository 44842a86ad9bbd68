#pragma once

#include <functional>

class QDialog;

namespace sonaport {

// Shows the library's modal dialogs (About boxes, property frames). A host that cannot
// run a modal loop, or a test, installs its own presenter.
class DialogPresenter {
public:
    using Presenter = std::function<void(QDialog& dialog)>;

    static void present(QDialog& dialog);
    // An empty presenter returns to running the dialog modally.
    static void install(Presenter presenter);
};

}  // namespace sonaport
