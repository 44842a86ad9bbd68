#include "keyedtoolbar.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QImageReader>
#include <QMenu>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>

namespace {
const char kKeyProperty[] = "key";

// Qt names the icon theme "hicolor" (or none) when no desktop has chosen one, as on a bare X
// session; GNOME, Xfce and MATE sessions name Adwaita, a Plasma session its own theme.
// hicolor holds the icons of applications, not those of actions, so without a chosen theme
// the button takes our own picture at once: asking the theme would first read its index of
// thousands of lines, on the way to the window's first paint, for nothing.
bool hasChosenIconTheme() {
    const QString theme = QIcon::themeName();
    return !theme.isEmpty() && theme != QLatin1String("hicolor");
}

// The picture drawn as the icon draws it: the file's own size scaled into the given one.
QImage drawPicture(const QString& file, const QSize& size) {
    QImageReader reader(file);
    reader.setScaledSize(reader.size().scaled(size, Qt::KeepAspectRatio));
    return reader.read();
}

}  // namespace

// Buttons with the same picture share its icon. Without a chosen theme a button first shows
// our own picture as drawn ahead; the icon that draws the file at any size, state or screen
// is made once the toolbar has been painted, since making it reads and checks the file.
QIcon KeyedToolBar::buttonIcon(const Button& spec) {
    const QString file = QString::fromUtf8(spec.fallback);
    const bool fromTheme = *spec.themeIcon && hasChosenIconTheme();
    pictureFiles_ << (fromTheme ? QString() : file);
    if (!fromTheme) return {};
    auto own = pictures_.constFind(file);
    if (own == pictures_.cend()) own = pictures_.insert(file, QIcon(file));
    return QIcon::fromTheme(QString::fromUtf8(spec.themeIcon), *own);
}

// An icon draws its picture when first painted; drawn ahead, the window's first paint only
// copies it.
void KeyedToolBar::drawPicturesAhead() {
    const QStringList files = ownPictureFiles();
    const QSize size = iconSize() * devicePixelRatio();
    drawnAhead_ = std::async(std::launch::async, [files, size] {
        QHash<QString, QImage> drawn;
        for (const QString& file : files) drawn.insert(file, drawPicture(file, size));
        return drawn;
    });
}

void KeyedToolBar::takePicturesDrawnAhead() {
    const QHash<QString, QImage> drawn = drawnAhead_.get();
    for (auto picture = drawn.cbegin(); picture != drawn.cend(); ++picture) {
        if (picture->isNull()) continue;
        const QPixmap pixmap = QPixmap::fromImage(*picture);
        drawnPixmaps_.insert(picture.key(), pixmap);
        QIcon icon;
        icon.addPixmap(pixmap);
        setOwnIcon(picture.key(), icon);
    }
}

// Every own picture becomes the icon of its file, with the picture drawn ahead kept for its
// size, so what is shown stays the same.
void KeyedToolBar::takeIconsOfFiles() {
    for (const QString& file : ownPictureFiles()) {
        const auto own = pictures_.constFind(file);
        QIcon icon = own != pictures_.cend() ? *own : QIcon(file);
        if (const auto drawn = drawnPixmaps_.constFind(file); drawn != drawnPixmaps_.cend())
            icon.addPixmap(*drawn);
        pictures_.insert(file, icon);
        setOwnIcon(file, icon);
    }
    drawnPixmaps_.clear();
}

QStringList KeyedToolBar::ownPictureFiles() const {
    QStringList files = pictureFiles_;
    files.removeAll(QString());
    files.removeDuplicates();
    return files;
}

void KeyedToolBar::setOwnIcon(const QString& file, const QIcon& icon) {
    for (qsizetype i = 0; i < buttons_.size(); ++i)
        if (pictureFiles_[i] == file) buttons_[i]->setIcon(icon);
}

void KeyedToolBar::showEvent(QShowEvent* event) {
    if (drawnAhead_.valid()) takePicturesDrawnAhead();
    QToolBar::showEvent(event);
}

void KeyedToolBar::paintEvent(QPaintEvent* event) {
    QToolBar::paintEvent(event);
    if (iconsOfFilesDue_) return;
    iconsOfFilesDue_ = true;
    QTimer::singleShot(0, this, &KeyedToolBar::takeIconsOfFiles);
}

KeyedToolBar::KeyedToolBar(QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
}

QToolButton* KeyedToolBar::addKeyedButton(const Button& spec) {
    auto* button = new QToolButton(this);
    const QString key = QString::fromUtf8(spec.key);
    button->setObjectName(key);
    button->setProperty(kKeyProperty, key);
    // The tool tip is marked for translation in the context of the toolbar's own class.
    const QString toolTip = QCoreApplication::translate(metaObject()->className(), spec.toolTip);
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setIcon(buttonIcon(spec));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, [this, key] { emit ButtonClick(key); });
    actions_.append(addWidget(button));
    buttons_.append(button);
    return button;
}

void KeyedToolBar::addMenuEntries(const QString& key,
                                  const QList<QPair<QString, QString>>& entries) {
    QToolButton* owner = button(key);
    if (!owner) return;
    auto* menu = new QMenu(owner);
    for (const auto& [entryKey, caption] : entries) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(entryKey);
        connect(action, &QAction::triggered, this,
                [this, k = entryKey] { emit ButtonMenuClick(k); });
    }
    owner->setMenu(menu);
    owner->setPopupMode(QToolButton::MenuButtonPopup);
}

QToolButton* KeyedToolBar::button(const QString& key) const {
    for (QToolButton* b : buttons_)
        if (b->property(kKeyProperty).toString() == key) return b;
    return nullptr;
}

void KeyedToolBar::setButtonVisible(const QString& key, bool visible) {
    const qsizetype at = buttons_.indexOf(button(key));
    if (at >= 0) actions_[at]->setVisible(visible);
}

QStringList KeyedToolBar::keys() const {
    QStringList result;
    for (const QToolButton* b : buttons_) result << b->property(kKeyProperty).toString();
    return result;
}
