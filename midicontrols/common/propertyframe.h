#pragma once

#include <QDialog>

class QTabWidget;

namespace sonaport {

// The frame the properties verb shows: a control's property pages as tabs, each labelled
// with its page's caption, and OK and Cancel.
class PropertyFrame : public QDialog {
    Q_OBJECT

public:
    // controlName as in "MidiOutput"
    explicit PropertyFrame(const QString& controlName, QWidget* parent = nullptr);

    // Takes the page over.
    void addPage(QWidget* page);
    QWidget* page(int index) const;
    int pageCount() const;

private:
    QTabWidget* tabs_;
};

}  // namespace sonaport
