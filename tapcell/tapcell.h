#pragma once

#include "hosting/controlwidget.h"

#include <QRgb>

class QPainter;
#include <array>
#include <type_traits>

// A square step cell. It shows one of four levels as the colour of its face and reports
// every left, right and double click with its kind; it never changes its level itself,
// its container decides and puts the new one. Painted as one rectangle, so the hundreds
// of cells of a grid stay cheap. It takes the focus, and Space clicks it: alone as the left
// button does, with Shift as the right one.
class Tapcell : public hosting::ControlWidget {
    Q_OBJECT
    Q_PROPERTY(double Background0Unpressed READ background0Unpressed WRITE setBackground0Unpressed)
    Q_PROPERTY(double Background1Light READ background1Light WRITE setBackground1Light)
    Q_PROPERTY(double Background2Normal READ background2Normal WRITE setBackground2Normal)
    Q_PROPERTY(double Background3Strong READ background3Strong WRITE setBackground3Strong)
    Q_PROPERTY(qint32 Value READ value WRITE setValue)

public:
    enum ValEnum { Unpressed = 0, Wenig = 1, Normal = 2, Stark = 3 };
    Q_ENUM(ValEnum)
    enum CMEnum { LeftClickM = 1, RightClickM = 2, DblClickM = 3 };
    Q_ENUM(CMEnum)

    // Dispatch identifiers, in the order of the interfaces.
    enum PropertyId : hosting::DispId {
        DispBackground0Unpressed = 1,
        DispBackground1Light = 2,
        DispBackground2Normal = 3,
        DispBackground3Strong = 4,
        DispValue = 5,
    };
    enum EventId : hosting::DispId {
        EventClick = 1,
        EventDblClick = 2,
        EventRightClick = 3,
        EventClickEvent = 4,
    };

    static constexpr int kLevels = 4;
    static constexpr double kSizeTwips = 200;
    static constexpr double kFaceTwips = 195;

    explicit Tapcell(QWidget* parent = nullptr);

    // Any value is kept; only 0..3 recolour the face. Raises no event.
    qint32 value() const { return value_; }
    void setValue(qint32 value);

    // The colour (0x00BBGGRR) of a level 0..3, kept as put and rounded half to even when
    // read or shown; putting one shows the current level again.
    qint32 background(int level) const;
    void setBackground(int level, double color);
    qint32 background0Unpressed() const { return background(Unpressed); }
    qint32 background1Light() const { return background(Wenig); }
    qint32 background2Normal() const { return background(Normal); }
    qint32 background3Strong() const { return background(Stark); }
    void setBackground0Unpressed(double color) { setBackground(Unpressed, color); }
    void setBackground1Light(double color) { setBackground(Wenig, color); }
    void setBackground2Normal(double color) { setBackground(Normal, color); }
    void setBackground3Strong(double color) { setBackground(Stark, color); }

    // Raises the events of a click with the left or the right button, as the mouse does.
    void click(Qt::MouseButton button = Qt::LeftButton);

    // The right button went down on the cell since the last click.
    bool isRightPressed() const { return rightPressed_; }
    // What the face shows now.
    QRgb faceColor() const { return face_; }

    QVariant getProperty(hosting::DispId id, const QVariantList& index = {}) override;
    void putProperty(hosting::DispId id, const QVariant& value,
                     const QVariantList& index = {}) override;
    QVariant invoke(hosting::DispId id, const QVariantList& arguments = {}) override;

    // Neither a new instance nor loading repaints the face.
    void initNew() override;
    void saveProperties(hosting::PropertyBag& bag) const override;
    void loadProperties(const hosting::PropertyBag& bag) override;

signals:
    void Click();
    void DblClick();
    void RightClick();
    void ClickEvent(int clickMode);

protected:
    QSizeF fixedSizeTwips() const override { return {kSizeTwips, kSizeTwips}; }
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A click is a press and release of the left or right button on the face; the release
    // that ends a double click is not one.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    template <typename... Args>
    bool raise(void (Tapcell::*signal)(Args...), hosting::DispId id,
               std::type_identity_t<Args>... arguments);
    void raiseClick();
    void raiseDoubleClick();
    QRect faceRect() const;
    void paintFocusFrame(QPainter& painter) const;
    static int levelOf(hosting::DispId id);

    qint32 value_ = Unpressed;
    std::array<double, kLevels> colors_;
    QRgb face_;
    bool rightPressed_ = false;
    bool endingDoubleClick_ = false;
    Qt::MouseButtons pressed_;
};
