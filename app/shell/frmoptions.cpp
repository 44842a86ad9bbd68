#include "frmoptions.h"

#include "midi/midiservices.h"
#include "shared/midiclocksetting.h"
#include "shared/uilanguage.h"
#include "system/settingsstore.h"
#include "views/windowaccessible.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

const QString frmOptions::kSection = QStringLiteral("Options");
const QString frmOptions::kKey = QStringLiteral("Versionsprüfung");
const QString frmOptions::kJackKey = QStringLiteral("JACK verbinden");

namespace {

// A frame holding one group of option buttons, one below the other in index order.
QGroupBox* addButtonFrame(QWidget* page, const QStringList& captions,
                          QList<QRadioButton*>& buttons) {
    auto* frame = new QGroupBox(page);
    auto* column = new QVBoxLayout(frame);
    for (const QString& caption : captions) {
        buttons << new QRadioButton(caption, frame);
        column->addWidget(buttons.last());
    }
    return frame;
}

}  // namespace

frmOptions::frmOptions(QWidget* parent) : QWidget(parent, Qt::Window) {
    installWindowAccessibleFactory();
    setAttribute(Qt::WA_QuitOnClose, false);  // never keeps the program alive
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Options"));
    auto* layout = new QVBoxLayout(this);
    OptionTab = new QTabWidget(this);
    // Every tab shows its whole caption: the window is as wide as the captions need.
    OptionTab->setUsesScrollButtons(false);
    OptionTab->setElideMode(Qt::ElideNone);
    OptionTab->addTab(buildVersionPage(), tr("Versionsprüfung"));
    OptionTab->addTab(buildMidiPage(), tr("Midioptionen"));
    OptionTab->addTab(new QWidget(OptionTab), tr("Abspieloptionen"));
    OptionTab->addTab(buildPrintPage(), tr("Druckoptionen"));
    layout->addWidget(OptionTab);
    layout->addWidget(buildLanguageFrame());

    auto* buttons = new QHBoxLayout;
    Command1 = new QPushButton(tr("OK"), this);
    Command2 = new QPushButton(tr("Cancel"), this);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, &frmOptions::store);
    connect(Command2, &QPushButton::clicked, this, &frmOptions::restore);
}

QWidget* frmOptions::buildVersionPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(addButtonFrame(
        page,
        {tr("Information bei jeder neuen Revision (1.1.X)"),
         tr("Information bei jeder neuer Version (1.X.1)"),
         tr("Information bei größeren Überarbeitungen (X.1.1)"), tr("keine Versionsprüfung")},
        optVersion));
    cmdVersionspruefung = new QPushButton(tr("jetzt prüfen"), page);
    layout->addWidget(cmdVersionspruefung, 0, Qt::AlignLeft);
    layout->addStretch();
    connect(cmdVersionspruefung, &QPushButton::clicked, this, &frmOptions::versionCheckRequested);
    return page;
}

// Clock out starts with the next Play; the JACK connection is off by default, as JACK
// programs leave the connections to the user.
QWidget* frmOptions::buildMidiPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    chkMidiClock = new QCheckBox(tr("MIDI-Clock senden"), page);
    chkMidiClock->setObjectName(QStringLiteral("chkMidiClock"));
    layout->addWidget(chkMidiClock);
    chkJackVerbinden = new QCheckBox(tr("JACK-Ausgänge automatisch verbinden"), page);
    chkJackVerbinden->setObjectName(QStringLiteral("chkJackVerbinden"));
    layout->addWidget(chkJackVerbinden);
    layout->addStretch();
    return page;
}

QWidget* frmOptions::buildPrintPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* note =
        new QLabel(tr("Diese Optionen werden nicht abgespeichert und gehen beim Beenden des "
                      "Programms verloren. Die Einstellung wird bei Cancel nicht rückgängig "
                      "gemacht!"),
                   page);
    note->setObjectName(QStringLiteral("lblDruckHinweis"));
    note->setWordWrap(true);
    layout->addWidget(note);
    layout->addWidget(addButtonFrame(page,
                                     {tr("ohne Vorschau drucken"), tr("Nur Vorschau"),
                                      tr("Bei Druck zunächst Vorschau, zum Drucken "
                                         "nachfragen")},
                                     optDruck));
    layout->addStretch();
    return page;
}

// The choice is stored with OK and takes effect at the next start, as the texts of every
// window are made once.
QWidget* frmOptions::buildLanguageFrame() {
    auto* frame = new QGroupBox(tr("Sprache"), this);
    auto* row = new QHBoxLayout(frame);
    cboSprache = new QComboBox(frame);
    cboSprache->setObjectName(QStringLiteral("cboSprache"));
    cboSprache->addItems({tr("Systemsprache"), tr("Deutsch"), tr("English")});
    cboSprache->setAccessibleName(tr("Sprache"));
    row->addWidget(cboSprache);
    row->addWidget(new QLabel(tr("gilt ab dem nächsten Start"), frame), 1);
    return frame;
}

void frmOptions::OptionsSetting() {
    optVersion[levelFromStored(sys::SettingsStore::value(kSection, kKey, QStringLiteral("0")))]
        ->setChecked(true);
    chkMidiClock->setChecked(MidiClockSetting::isOn());
    chkJackVerbinden->setChecked(applyStoredJackAutoConnect());
    cboSprache->setCurrentIndex(UiLanguage::stored());
}

bool frmOptions::applyStoredJackAutoConnect() {
    const bool connect =
        sys::SettingsStore::value(kSection, kJackKey).toString() == QLatin1String("1");
    midi::MidiServices::instance().setJackAutoConnect(connect);
    return connect;
}

int frmOptions::levelFromStored(const QVariant& stored) {
    bool ok = false;
    const int level = stored.toString().trimmed().toInt(&ok);
    return ok && level >= 0 && level < 4 ? level : 0;
}

int frmOptions::selectedLevel() const {
    for (int index = 0; index < optVersion.size(); ++index)
        if (optVersion[index]->isChecked()) return index;
    return 0;
}

void frmOptions::showOptions() {
    show();
    raise();
    activateWindow();
}

void frmOptions::store() {
    for (int index = 0; index < optVersion.size(); ++index)
        if (optVersion[index]->isChecked())
            sys::SettingsStore::setValue(kSection, kKey, QString::number(index));
    MidiClockSetting::store(chkMidiClock->isChecked());
    emit midiClockChosen(chkMidiClock->isChecked());
    const bool connect = chkJackVerbinden->isChecked();
    sys::SettingsStore::setValue(kSection, kJackKey, QString::number(int(connect)));
    midi::MidiServices::instance().setJackAutoConnect(connect);
    if (cboSprache->currentIndex() != UiLanguage::stored())
        UiLanguage::store(UiLanguage::Choice(cboSprache->currentIndex()));
    hide();
}

void frmOptions::restore() {
    OptionsSetting();
    hide();
}
