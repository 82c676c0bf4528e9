#include "settings.h"
#include "bedienhilfe.h"
#include "aktuelleseite.h"
#include "browserapplication.h"
#include "browsereinstellungswerte.h"
#include "dialogseam.h"
#include "einstellungenanwenden.h"
#include "historymanager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

namespace {

// Days kept per row of "Remove history items:"; the last row, "Manually", keeps them for ever.
const int ablauftage[] = {1, 7, 14, 30, 365, -1};
constexpr int zeile_manuell = 5;

int zeile_fuer_tage(int tage)
{
    for (int zeile = 0; zeile < zeile_manuell; ++zeile)
        if (ablauftage[zeile] == tage)
            return zeile;
    return zeile_manuell;
}

int tage_fuer_zeile(int zeile)
{
    return zeile >= 0 && zeile <= zeile_manuell ? ablauftage[zeile] : -1;
}

QString text(const char* quelle)
{
    return QCoreApplication::translate("Settings", quelle);
}

// The combo box's index from the store, kept when the number names no row.
void setze_zeile(QComboBox* box, const QSettings& einstellungen, const QString& schluessel)
{
    const int zeile = lies_zahl(einstellungen, schluessel, box->currentIndex());
    if (zeile >= 0 && zeile < box->count())
        box->setCurrentIndex(zeile);
}

QComboBox* neue_auswahl(QWidget* eltern, const char* name, std::initializer_list<const char*> zeilen)
{
    auto* box = new QComboBox(eltern);
    box->setObjectName(QLatin1String(name));
    for (const char* zeile : zeilen)
        box->addItem(text(zeile));
    return box;
}

template <typename Feld>
Feld* neues_feld(QWidget* eltern, const char* name)
{
    auto* feld = new Feld(eltern);
    feld->setObjectName(QLatin1String(name));
    return feld;
}

} // namespace

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent)
{
    setupUi();
    connect(setHomeToCurrentPageButton, &QPushButton::clicked, this, &SettingsDialog::setHomeToCurrentPage);
    connect(standardFontButton, &QPushButton::clicked, this, &SettingsDialog::chooseFont);
    connect(fixedFontButton, &QPushButton::clicked, this, &SettingsDialog::chooseFixedFont);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);
    QMetaObject::connectSlotsByName(this);
    loadDefaults();
    loadFromSettings();
    // The buttons below the pages come after the pages' fields.
    ans_ende_der_tabfolge(buttonBox);
}

void SettingsDialog::setupUi()
{
    setObjectName(QStringLiteral("Settings"));
    resize(657, 336);
    setWindowTitle(text("Settings"));
    auto* rahmen = new QVBoxLayout(this);
    tabWidget = neues_feld<QTabWidget>(this, "tabWidget");
    blaettere_per_strg_bild(tabWidget);
    rahmen->addWidget(tabWidget);
    buttonBox = neues_feld<QDialogButtonBox>(this, "buttonBox");
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Cancel | QDialogButtonBox::Ok);
    rahmen->addWidget(buttonBox);

    auto* allgemein = neues_feld<QWidget>(tabWidget, "general");
    auto* allgemeinForm = new QFormLayout(allgemein);
    homeLineEdit = neues_feld<QLineEdit>(allgemein, "homeLineEdit");
    allgemeinForm->addRow(text("Home:"), homeLineEdit);
    setHomeToCurrentPageButton = neues_feld<QPushButton>(allgemein, "setHomeToCurrentPageButton");
    setHomeToCurrentPageButton->setText(text("Set to current page"));
    allgemeinForm->addRow(QString(), setHomeToCurrentPageButton);
    expireHistory = neue_auswahl(allgemein, "expireHistory",
                                 {"After one day", "After one week", "After two weeks", "After one month",
                                  "After one year", "Manually"});
    allgemeinForm->addRow(text("Remove history items:"), expireHistory);
    downloadsLocation = neues_feld<QLineEdit>(allgemein, "downloadsLocation");
    allgemeinForm->addRow(text("Save downloads to:"), downloadsLocation);
    openLinksIn = neue_auswahl(allgemein, "openLinksIn", {"In a tab in the current window", "In a new window"});
    allgemeinForm->addRow(text("Open links from applications:"), openLinksIn);
    faviconDownloadMode = neue_auswahl(allgemein, "faviconDownloadMode",
                                       {"Disable icons", "Enable favicons", "Enable favicons and touch icons"});
    allgemeinForm->addRow(text("Favicon download mode:"), faviconDownloadMode);
    enableScrollAnimator = neues_feld<QCheckBox>(allgemein, "enableScrollAnimator");
    enableScrollAnimator->setText(text("Enable Scroll Animator"));
    allgemeinForm->addRow(QString(), enableScrollAnimator);
    tabWidget->addTab(allgemein, text("General"));

    auto* aussehen = neues_feld<QWidget>(tabWidget, "appearance");
    auto* aussehenGitter = new QGridLayout(aussehen);
    const auto schriftzeile = [&](int zeile, const char* beschriftung, QLabel*& label, QPushButton*& knopf,
                                  const char* labelname, const char* knopfname) {
        aussehenGitter->addWidget(new QLabel(text(beschriftung), aussehen), zeile, 0);
        label = neues_feld<QLabel>(aussehen, labelname);
        label->setFrameShape(QFrame::StyledPanel);
        label->setAlignment(Qt::AlignCenter);
        aussehenGitter->addWidget(label, zeile, 1);
        knopf = neues_feld<QPushButton>(aussehen, knopfname);
        knopf->setText(text("Select..."));
        aussehenGitter->addWidget(knopf, zeile, 2);
    };
    schriftzeile(0, "Standard font:", standardLabel, standardFontButton, "standardLabel", "standardFontButton");
    schriftzeile(1, "Fixed-width font:", fixedLabel, fixedFontButton, "fixedLabel", "fixedFontButton");
    aussehenGitter->setRowStretch(2, 1);
    tabWidget->addTab(aussehen, text("Appearance"));

    auto* privat = neues_feld<QWidget>(tabWidget, "privacy");
    auto* privatRahmen = new QVBoxLayout(privat);
    auto* inhalt = new QGroupBox(text("Web Content"), privat);
    auto* inhaltRahmen = new QVBoxLayout(inhalt);
    enablePlugins = neues_feld<QCheckBox>(inhalt, "enablePlugins");
    enablePlugins->setText(text("Enable Plugins"));
    inhaltRahmen->addWidget(enablePlugins);
    enableJavascript = neues_feld<QCheckBox>(inhalt, "enableJavascript");
    enableJavascript->setText(text("Enable Javascript"));
    inhaltRahmen->addWidget(enableJavascript);
    privatRahmen->addWidget(inhalt);
    auto* cookies = new QGroupBox(text("Cookies"), privat);
    auto* cookiesForm = new QFormLayout(cookies);
    sessionCookiesCombo = neue_auswahl(cookies, "sessionCookiesCombo",
                                       {"Treat all cookies as session cookies", "Allow persistent cookies",
                                        "Treat all cookies as persistent cookies"});
    cookiesForm->addRow(text("Persistent Cookie Policy"), sessionCookiesCombo);
    persistentDataPath = neues_feld<QLineEdit>(cookies, "persistentDataPath");
    cookiesForm->addRow(text("Persistent Data Path:"), persistentDataPath);
    privatRahmen->addWidget(cookies);
    privatRahmen->addStretch();
    tabWidget->addTab(privat, text("Privacy"));

    auto* proxy = neues_feld<QWidget>(tabWidget, "proxy");
    auto* proxyRahmen = new QVBoxLayout(proxy);
    proxySupport = neues_feld<QGroupBox>(proxy, "proxySupport");
    proxySupport->setTitle(text("Enable proxy"));
    proxySupport->setCheckable(true);
    auto* proxyForm = new QFormLayout(proxySupport);
    proxyType = neue_auswahl(proxySupport, "proxyType", {"Socks5", "Http"});
    proxyForm->addRow(text("Type:"), proxyType);
    proxyHostName = neues_feld<QLineEdit>(proxySupport, "proxyHostName");
    proxyForm->addRow(text("Host:"), proxyHostName);
    proxyPort = neues_feld<QSpinBox>(proxySupport, "proxyPort");
    // Every port a proxy can have: a narrower range would clamp a stored port on loading and
    // write the clamped one back on OK.
    proxyPort->setRange(0, 65535);
    proxyForm->addRow(text("Port:"), proxyPort);
    proxyUserName = neues_feld<QLineEdit>(proxySupport, "proxyUserName");
    proxyForm->addRow(text("User Name:"), proxyUserName);
    proxyPassword = neues_feld<QLineEdit>(proxySupport, "proxyPassword");
    proxyPassword->setEchoMode(QLineEdit::Password);
    proxyForm->addRow(text("Password:"), proxyPassword);
    proxyRahmen->addWidget(proxySupport);
    proxyRahmen->addStretch();
    tabWidget->addTab(proxy, text("Proxy"));

    auto* erweitert = neues_feld<QWidget>(tabWidget, "advanced");
    auto* erweitertForm = new QFormLayout(erweitert);
    httpUserAgent = neues_feld<QLineEdit>(erweitert, "httpUserAgent");
    erweitertForm->addRow(text("HTTP User-Agent:"), httpUserAgent);
    httpAcceptLanguageLabel = new QLabel(text("HTTP Accept-&Language:"), erweitert);
    httpAcceptLanguage = neues_feld<QLineEdit>(erweitert, "httpAcceptLanguage");
    httpAcceptLanguageLabel->setBuddy(httpAcceptLanguage);
    erweitertForm->addRow(httpAcceptLanguageLabel, httpAcceptLanguage);
    userStyleSheet = neues_feld<QTextEdit>(erweitert, "userStyleSheet");
    userStyleSheet->setAcceptRichText(false);
    erweitertForm->addRow(text("Style Sheet:"), userStyleSheet);
    tabWidget->addTab(erweitert, text("Advanced"));

    tabWidget->setCurrentIndex(0);
}

QString SettingsDialog::acceptLanguage(const QStringList& sprachen)
{
    if (sprachen.isEmpty())
        return QString();
    QString ergebnis = sprachen.first();
    const double schritt = 1.0 / sprachen.size();
    double gewicht = 1.0 - schritt;
    for (int i = 1; i < sprachen.size(); ++i) {
        ergebnis += QStringLiteral(", ") + sprachen.at(i) + QStringLiteral(";q=") + QString::number(gewicht, 'f', 2);
        gewicht -= schritt;
    }
    return ergebnis;
}

void SettingsDialog::zeigeSchrift(QLabel* label, const QFont& schrift)
{
    label->setText(QStringLiteral("%1 %2").arg(schrift.family()).arg(schrift.pointSize()));
}

void SettingsDialog::loadDefaults()
{
    QWebEngineSettings* const web = QWebEngineSettings::defaultSettings();
    QWebEngineProfile* const profil = QWebEngineProfile::defaultProfile();
    standardFont = QFont(web->fontFamily(QWebEngineSettings::StandardFont),
                         web->fontSize(QWebEngineSettings::DefaultFontSize));
    fixedFont = QFont(web->fontFamily(QWebEngineSettings::FixedFont),
                      web->fontSize(QWebEngineSettings::DefaultFixedFontSize));
    zeigeSchrift(standardLabel, standardFont);
    zeigeSchrift(fixedLabel, fixedFont);

    downloadsLocation->setText(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    enableJavascript->setChecked(web->testAttribute(QWebEngineSettings::JavascriptEnabled));
    enablePlugins->setChecked(web->testAttribute(QWebEngineSettings::PluginsEnabled));
    enableScrollAnimator->setChecked(web->testAttribute(QWebEngineSettings::ScrollAnimatorEnabled));

    persistentDataPath->setText(profil->persistentStoragePath());
    sessionCookiesCombo->setCurrentIndex(profil->persistentCookiesPolicy());
    httpUserAgent->setText(profil->httpUserAgent());
    httpAcceptLanguage->setText(acceptLanguage(QLocale().uiLanguages()));

    if (!web->testAttribute(QWebEngineSettings::AutoLoadIconsForPage))
        faviconDownloadMode->setCurrentIndex(0);
    else
        faviconDownloadMode->setCurrentIndex(web->testAttribute(QWebEngineSettings::TouchIconsEnabled) ? 2 : 1);
}

void SettingsDialog::loadFromSettings()
{
    QSettings einstellungen;
    einstellungen.beginGroup(QStringLiteral("MainWindow"));
    homeLineEdit->setText(einstellungen.value(QStringLiteral("home")).toString());
    einstellungen.endGroup();

    einstellungen.beginGroup(QStringLiteral("history"));
    expireHistory->setCurrentIndex(zeile_fuer_tage(lies_zahl(einstellungen, QStringLiteral("historyExpire"), 0)));
    einstellungen.endGroup();

    einstellungen.beginGroup(QStringLiteral("downloadmanager"));
    downloadsLocation->setText(
        einstellungen.value(QStringLiteral("downloadDirectory"), downloadsLocation->text()).toString());
    einstellungen.endGroup();

    const int linkziel = lies_linkziel(einstellungen);
    if (linkziel >= 0 && linkziel < openLinksIn->count())
        openLinksIn->setCurrentIndex(linkziel);

    einstellungen.beginGroup(QStringLiteral("websettings"));
    fixedFont = lies_schrift(einstellungen, QStringLiteral("fixedFont"), fixedFont);
    standardFont = lies_schrift(einstellungen, QStringLiteral("standardFont"), standardFont);
    zeigeSchrift(standardLabel, standardFont);
    zeigeSchrift(fixedLabel, fixedFont);
    enableJavascript->setChecked(
        lies_schalter(einstellungen, QStringLiteral("enableJavascript"), enableJavascript->isChecked()));
    enablePlugins->setChecked(lies_schalter(einstellungen, QStringLiteral("enablePlugins"), enablePlugins->isChecked()));
    enableScrollAnimator->setChecked(
        lies_schalter(einstellungen, QStringLiteral("enableScrollAnimator"), enableScrollAnimator->isChecked()));
    userStyleSheet->setPlainText(einstellungen.value(QStringLiteral("userStyleSheet")).toString());
    httpUserAgent->setText(einstellungen.value(QStringLiteral("httpUserAgent"), httpUserAgent->text()).toString());
    httpAcceptLanguage->setText(
        einstellungen.value(QStringLiteral("httpAcceptLanguage"), httpAcceptLanguage->text()).toString());
    setze_zeile(faviconDownloadMode, einstellungen, QStringLiteral("faviconDownloadMode"));
    einstellungen.endGroup();

    einstellungen.beginGroup(QStringLiteral("cookies"));
    setze_zeile(sessionCookiesCombo, einstellungen, QStringLiteral("persistentCookiesPolicy"));
    persistentDataPath->setText(
        einstellungen.value(QStringLiteral("persistentDataPath"), persistentDataPath->text()).toString());
    einstellungen.endGroup();

    einstellungen.beginGroup(QStringLiteral("proxy"));
    proxySupport->setChecked(lies_schalter(einstellungen, QStringLiteral("enabled"), false));
    // Read as the browser reads it: every type but 0 is an HTTP proxy.
    proxyType->setCurrentIndex(lies_zahl(einstellungen, QStringLiteral("type"), 0) == 0 ? 0 : 1);
    proxyHostName->setText(einstellungen.value(QStringLiteral("hostName")).toString());
    proxyPort->setValue(lies_zahl(einstellungen, QStringLiteral("port"), 1080));
    proxyUserName->setText(einstellungen.value(QStringLiteral("userName")).toString());
    proxyPassword->setText(einstellungen.value(QStringLiteral("password")).toString());
    einstellungen.endGroup();

    geladen.clear();
    vorhanden.clear();
    for (const auto& [schluessel, wert] : werte()) {
        geladen.insert(schluessel, wert);
        if (einstellungen.contains(schluessel))
            vorhanden.insert(schluessel);
    }
}

QList<QPair<QString, QVariant>> SettingsDialog::werte() const
{
    const int tage = tage_fuer_zeile(expireHistory->currentIndex());
    return {
        {QStringLiteral("MainWindow/home"), homeLineEdit->text()},
        {QStringLiteral("general/openLinksIn"), openLinksIn->currentIndex()},
        {QStringLiteral("history/historyExpire"), tage},
        // The history store keeps its limit under "historyLimit", the download manager its folder:
        // both only when the user chose them (see `saveToSettings`).
        {QStringLiteral("history/historyLimit"), tage},
        {QStringLiteral("downloadmanager/downloadDirectory"), downloadsLocation->text()},
        {QStringLiteral("websettings/fixedFont"), fixedFont},
        {QStringLiteral("websettings/standardFont"), standardFont},
        {QStringLiteral("websettings/enableJavascript"), enableJavascript->isChecked()},
        {QStringLiteral("websettings/enablePlugins"), enablePlugins->isChecked()},
        {QStringLiteral("websettings/enableScrollAnimator"), enableScrollAnimator->isChecked()},
        {QStringLiteral("websettings/userStyleSheet"), userStyleSheet->toPlainText()},
        {QStringLiteral("websettings/httpUserAgent"), httpUserAgent->text()},
        {QStringLiteral("websettings/httpAcceptLanguage"), httpAcceptLanguage->text()},
        {QStringLiteral("websettings/faviconDownloadMode"), faviconDownloadMode->currentIndex()},
        {QStringLiteral("cookies/persistentCookiesPolicy"), sessionCookiesCombo->currentIndex()},
        {QStringLiteral("cookies/persistentDataPath"), persistentDataPath->text()},
        {QStringLiteral("proxy/enabled"), proxySupport->isChecked()},
        {QStringLiteral("proxy/type"), proxyType->currentIndex()},
        {QStringLiteral("proxy/hostName"), proxyHostName->text()},
        {QStringLiteral("proxy/port"), proxyPort->text()},
        {QStringLiteral("proxy/userName"), proxyUserName->text()},
        {QStringLiteral("proxy/password"), proxyPassword->text()},
    };
}

void SettingsDialog::saveToSettings()
{
    // Written only when changed in the dialog: OK alone never replaces the stores' own defaults.
    static const QSet<QString> nur_gewaehlt{QStringLiteral("history/historyLimit"),
                                            QStringLiteral("downloadmanager/downloadDirectory")};
    QSettings einstellungen;
    for (const auto& [schluessel, wert] : werte()) {
        const bool unveraendert = geladen.value(schluessel) == wert;
        if (unveraendert && (vorhanden.contains(schluessel) || nur_gewaehlt.contains(schluessel)))
            continue;
        einstellungen.setValue(schluessel, wert);
    }
    speichere_einstellungen(einstellungen);

    BrowserApplication::loadSettings();
    BrowserApplication::historyManager()->loadSettings();
    const QString pfad = QStringLiteral("cookies/persistentDataPath");
    if (geladen.value(pfad) != persistentDataPath->text() && !wende_profilordner_an())
        frage_mit_knoepfen(this, QMessageBox::Information, windowTitle(),
                           text("The new persistent data path is used from the next start: the pages "
                                "open now keep their data where it is."),
                           {text("OK")}, 0, 0);
}

void SettingsDialog::accept()
{
    saveToSettings();
    QDialog::accept();
}

void SettingsDialog::chooseFont()
{
    waehleSchrift(standardFont, standardLabel);
}

void SettingsDialog::chooseFixedFont()
{
    waehleSchrift(fixedFont, fixedLabel);
}

void SettingsDialog::waehleSchrift(QFont& schrift, QLabel* label)
{
    bool ok = false;
    const QFont gewaehlt = QFontDialog::getFont(&ok, schrift, this);
    if (!ok)
        return;
    schrift = gewaehlt;
    zeigeSchrift(label, schrift);
}

void SettingsDialog::setHomeToCurrentPage()
{
    const auto* fenster = dynamic_cast<const AktuelleSeite*>(parentWidget());
    if (!fenster)
        return;
    const QUrl seite = fenster->aktuelle_seite();
    if (!seite.isEmpty())
        homeLineEdit->setText(seite.toString());
}

void SettingsDialog::on_httpUserAgent_editingFinished()
{
    QWebEngineProfile::defaultProfile()->setHttpUserAgent(httpUserAgent->text());
}

void SettingsDialog::on_httpAcceptLanguage_editingFinished()
{
    QWebEngineProfile::defaultProfile()->setHttpAcceptLanguage(httpAcceptLanguage->text());
}
