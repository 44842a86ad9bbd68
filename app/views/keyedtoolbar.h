#pragma once

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QToolBar>
#include <future>

class QToolButton;

// A toolbar whose buttons carry string keys, as the commands are routed by key. A button
// may hold a drop-down menu whose entries carry keys of their own.
class KeyedToolBar : public QToolBar {
    Q_OBJECT

public:
    struct Button {
        const char* key;
        const char* toolTip;    // marked for translation in the toolbar class's context
        const char* themeIcon;  // freedesktop icon name
        const char* fallback;   // our own picture, when the theme has none
    };

    explicit KeyedToolBar(QWidget* parent = nullptr);

    QToolButton* addKeyedButton(const Button& button);
    // Adds entries (key, caption) to a button's drop-down menu.
    void addMenuEntries(const QString& key, const QList<QPair<QString, QString>>& entries);
    QToolButton* button(const QString& key) const;
    // Shows or hides a button; the toolbar closes the gap of a hidden one.
    void setButtonVisible(const QString& key, bool visible);
    QStringList keys() const;
    // Draws our own pictures on a thread, at the size the toolbar shows them, once every
    // button is added; the buttons take them when the toolbar is first shown.
    void drawPicturesAhead();

signals:
    // A button itself was pressed (not an entry of its drop-down menu).
    void ButtonClick(const QString& key);
    void ButtonMenuClick(const QString& key);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon buttonIcon(const Button& spec);
    void takePicturesDrawnAhead();
    void takeIconsOfFiles();
    void setOwnIcon(const QString& file, const QIcon& icon);
    QStringList ownPictureFiles() const;

    QHash<QString, QIcon> pictures_;        // the icons of our own pictures by file
    QHash<QString, QPixmap> drawnPixmaps_;  // pictures drawn ahead, until the icons are made
    bool iconsOfFilesDue_ = false;
    QStringList pictureFiles_;  // the own picture of each button, or none for a theme's
    std::future<QHash<QString, QImage>> drawnAhead_;
    QList<QToolButton*> buttons_;
    QList<QAction*> actions_;  // what holds each button in the toolbar
};
