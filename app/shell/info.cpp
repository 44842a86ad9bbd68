#include "info.h"

#include "shared/appversion.h"
#include "system/targetopener.h"
#include "views/windowaccessible.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

const QString Info::kContact = QStringLiteral("kontakt@beatloft.example");

namespace {

constexpr const char* kTargetProperty = "target";
const QColor kLinkColour(0, 0, 192);
const QColor kTitleColour(128, 0, 128);
const QColor kNewsColour(255, 0, 0);

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QPixmap programPicture(const QWidget* widget) {
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = QIcon::fromTheme(QStringLiteral("audio-x-generic"));
    if (icon.isNull()) icon = widget->style()->standardIcon(QStyle::SP_MediaPlay);
    return icon.pixmap(32, 32);
}

}  // namespace

Info::Info(const QString& versionHost, const QString& homePageUrl, QWidget* parent)
    : QWidget(parent, Qt::Window), versionHost_(versionHost), homePageUrl_(homePageUrl) {
    installWindowAccessibleFactory();
    setAttribute(Qt::WA_QuitOnClose, false);  // never keeps the program alive
    setObjectName(QStringLiteral("Info"));
    setWindowTitle(tr("Info Beatloft"));
    buildViews();
}

void Info::buildViews() {
    auto* grid = new QGridLayout(this);
    Picture1 = new QLabel(this);
    Picture1->setPixmap(programPicture(this));
    grid->addWidget(Picture1, 0, 0, 2, 1, Qt::AlignTop);

    Label4 = new QLabel(tr("Beatloft Version %1").arg(appversion::text()), this);
    QFont titleFont = Label4->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(8.25);
    Label4->setFont(titleFont);
    setTextColour(Label4, kTitleColour);
    grid->addWidget(Label4, 0, 1, 1, 2);

    InfoText1 = new QPlainTextEdit(this);
    InfoText1->setReadOnly(true);
    grid->addWidget(InfoText1, 1, 1, 1, 2);

    Label6 = new QLabel(tr("Web:"), this);
    Label3 = addLink(versionHost_, versionHost_);
    grid->addWidget(Label6, 2, 1);
    grid->addWidget(Label3, 2, 2);
    Label5 = new QLabel(tr("EMail:"), this);
    Label2 = addLink(kContact, QStringLiteral("mailto:") + kContact);
    grid->addWidget(Label5, 3, 1);
    grid->addWidget(Label2, 3, 2);

    Label1 = new QLabel(tr("Beatloft – ein Programm der Beatloft-Entwickler"), this);
    Label1->setProperty(kTargetProperty, homePageUrl_);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
    QFont creditsFont = Label1->font();
    creditsFont.setPointSizeF(9.75);
    Label1->setFont(creditsFont);
    grid->addWidget(Label1, 4, 1, 1, 2);

    Command2 = new QPushButton(tr("zur Downloadseite"), this);
    Command1 = new QPushButton(tr("OK"), this);
    grid->addWidget(Command2, 5, 1);
    grid->addWidget(Command1, 5, 2, Qt::AlignRight);
    connect(Command2, &QPushButton::clicked, this,
            [this] { sys::TargetOpener::open(versionHost_ + QStringLiteral("/Downloads/")); });
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
}

QLabel* Info::addLink(const QString& text, const QString& target) {
    auto* label = new QLabel(text, this);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    setTextColour(label, kLinkColour);
    label->setProperty(kTargetProperty, target);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    return label;
}

bool Info::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QString target = watched->property(kTargetProperty).toString();
        if (!target.isEmpty()) sys::TargetOpener::open(target);
    }
    return QWidget::eventFilter(watched, event);
}

void Info::writeDescription() {
    setDescription(tr("Programm zum Erstellen von Drum-Patterns"), false);
}

void Info::announce(const QString& text) {
    setDescription(text, true);
}

void Info::setDescription(const QString& text, bool news) {
    description_ = text;
    QFont font = InfoText1->font();
    font.setBold(news);
    InfoText1->setFont(font);
    setTextColour(InfoText1, news ? kNewsColour : palette().color(QPalette::Text));
    InfoText1->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void Info::showInfo() {
    show();
    raise();
    activateWindow();
}
