#include "propertyframe.h"

#include "dialogfont.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sonaport {

PropertyFrame::PropertyFrame(const QString& controlName, QWidget* parent)
    : QDialog(parent), tabs_(new QTabWidget(this)) {
    setWindowTitle(QStringLiteral("%1 Control Properties").arg(controlName));
    setFont(dialogFont());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void PropertyFrame::addPage(QWidget* page) {
    tabs_->addTab(page, page->windowTitle());
}

QWidget* PropertyFrame::page(int index) const {
    return tabs_->widget(index);
}

int PropertyFrame::pageCount() const {
    return tabs_->count();
}

}  // namespace sonaport
