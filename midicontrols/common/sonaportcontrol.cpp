#include "sonaportcontrol.h"

#include "controlaboutdialog.h"
#include "dialogpresenter.h"
#include "olecolor.h"
#include "propertyframe.h"

#include "hosting/controlmodule.h"
#include "hosting/propertybag.h"
#include "system/twipsgeometry.h"

#include <QPainter>

namespace sonaport {

namespace {

constexpr auto kVersionKey = "_Version";
constexpr auto kExtentXKey = "_ExtentX";
constexpr auto kExtentYKey = "_ExtentY";
constexpr auto kStockPropsKey = "_StockProps";

}  // namespace

SonaportControl::SonaportControl(const QString& controlName, const QUuid& pageClsid,
                                 QWidget* parent)
    : hosting::ControlWidget(parent), controlName_(controlName), pageClsid_(pageClsid) {
    setAccessibleName(controlName);
}

void SonaportControl::showEvent(QShowEvent* event) {
    if (!windowCreated_) {
        windowCreated_ = true;
        backColor_ = ambientBackColor();
        createWindow();
    }
    hosting::ControlWidget::showEvent(event);
}

void SonaportControl::AboutBox() {
    ControlAboutDialog dialog(controlName_, window());
    DialogPresenter::present(dialog);
}

void SonaportControl::showProperties() {
    PropertyFrame frame(controlName_, window());
    // The page comes from the library's module like any class, so it counts as its object.
    if (QWidget* page = hosting::ControlModule::createControl(pageClsid_, &frame))
        frame.addPage(page);
    DialogPresenter::present(frame);
}

QVariant SonaportControl::getProperty(hosting::DispId id, const QVariantList&) {
    raiseMemberNotFound(id);
}

void SonaportControl::putProperty(hosting::DispId id, const QVariant&, const QVariantList&) {
    raiseMemberNotFound(id);
}

QVariant SonaportControl::invoke(hosting::DispId id, const QVariantList& arguments) {
    if (id != hosting::DispAboutBox) raiseMemberNotFound(id);
    expectArgumentCount(arguments, 0);
    AboutBox();
    return {};
}

void SonaportControl::writeStockState(hosting::PropertyBag& bag) const {
    bag.write(QString::fromLatin1(kVersionKey), kVersion);
    const QRectF twips = sys::TwipsGeometry::of(this);
    bag.write(QString::fromLatin1(kExtentXKey), twips.width());
    bag.write(QString::fromLatin1(kExtentYKey), twips.height());
    bag.write(QString::fromLatin1(kStockPropsKey), 0);
}

void SonaportControl::readStockState(const hosting::PropertyBag& bag) {
    const double width = bag.read<double>(QString::fromLatin1(kExtentXKey), 0);
    const double height = bag.read<double>(QString::fromLatin1(kExtentYKey), 0);
    if (width > 0 && height > 0) {
        sys::TwipsGeometry::setWidth(this, width);
        sys::TwipsGeometry::setHeight(this, height);
    }
}

QColor SonaportControl::ambientBackColor() const {
    if (ambient() && ambient()->backColor())
        return translateColor(*ambient()->backColor(), palette());
    return palette().color(QPalette::Base);
}

void SonaportControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backColor());
}

}  // namespace sonaport
