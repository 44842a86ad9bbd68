#pragma once

#include "netcheck/newsbox.h"

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The about box "Info Beatloft": name and version, the description, the maker's web host,
// contact address, home page and download page. The version check writes the news of a
// newer version into its description. One instance lives for the whole run; OK hides it.
class Info : public QWidget, public NewsBox {
    Q_OBJECT

public:
    // versionHost and homePageUrl are the host and page settings fixed at start-up.
    Info(const QString& versionHost, const QString& homePageUrl, QWidget* parent = nullptr);

    QLabel* Picture1 = nullptr;
    QLabel* Label4 = nullptr;  // "Beatloft Version 1.0.28"
    QPlainTextEdit* InfoText1 = nullptr;
    QLabel* Label6 = nullptr;         // "Web:"
    QLabel* Label3 = nullptr;         // the web host
    QLabel* Label5 = nullptr;         // "EMail:"
    QLabel* Label2 = nullptr;         // the contact address
    QLabel* Label1 = nullptr;         // credits, opening the home page
    QPushButton* Command2 = nullptr;  // "zur Downloadseite"
    QPushButton* Command1 = nullptr;  // "OK"

    static const QString kContact;

    // Writes the program's description in normal type, as the start-up does.
    void writeDescription();
    // Replaces the description with the news of a newer version, in bold red.
    void announce(const QString& text) override;
    // The description as last written, with its CR LF line ends.
    QString description() const { return description_; }

public slots:
    // Shows the box modeless (the menu item "Info" and the version check).
    void showInfo() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildViews();
    QLabel* addLink(const QString& text, const QString& target);
    void setDescription(const QString& text, bool news);

    QString versionHost_;
    QString homePageUrl_;
    QString description_;
};
