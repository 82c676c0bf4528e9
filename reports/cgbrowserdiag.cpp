#include "cgbrowserdiag.h"
#include "bedienhilfe.h"
#include "bilder.h"
#include "camisc.h"
#include "ccbaselog.h"
#include "cgbrowser.h"
#include "cgbrowserex.h"
#include "cgbrowserweb.h"
#include "cprinter.h"
#include "gui.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>

int CGBrowserDiag::offene_berichte = 0;

namespace {

QToolBar* neue_werkzeugleiste(QWidget* eltern)
{
    auto* leiste = new QToolBar(eltern);
    leiste->setObjectName(QStringLiteral("toolbar"));
    leiste->setMovable(false);
    leiste->setIconSize(QSize(16, 16));
    return leiste;
}

} // namespace

CGBrowserDiag::CGBrowserDiag(QWidget* eltern, const CQString& name_, bool ohne_kaskade_, Qt::WindowFlags flags,
                             const bool& zwei_seiten_)
    : CDialog(eltern, flags), ohne_kaskade(ohne_kaskade_), zwei_seiten(zwei_seiten_)
{
    name = name_;
    setObjectName(name_);

    layout = new QGridLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    statusleiste = new QStatusBar(this);
    werkzeugleiste = neue_werkzeugleiste(this);

    browser = new CGBrowser(this, CQString("fbrowser"), zwei_seiten);
    const bool web = browser->verwendet_web();

    if (!zwei_seiten) {
        drucken = new QAction(gib_icon(CQString("print")), tr("Drucken"), this);
        connect(drucken, &QAction::triggered, this, &CGBrowserDiag::print0Slot);
        // With an assignment the tip names the printer the report goes to.
        CDruckerzuordnung* const zuordnung = CAmisc::instanz(true)->gib_druckerzuordnung();
        CQString meldung;
        auto* const drucker = zuordnung ? dynamic_cast<CPrinter*>(zuordnung->gib_standarddrucker(meldung, false)) : nullptr;
        if (drucker)
            drucken->setToolTip((drucker->ist_pdf_datei() ? tr("Ausgabe in '%1'") : tr("Drucken auf Drucker '%1'"))
                                    .arg(drucker->gib_druckername()));
        werkzeugleiste->addAction(drucken);
    } else if (!web) {
        auto* gruppe = new QActionGroup(this);
        gruppe->setExclusive(false);
        drucken_alles = new QAction(tr("Drucken alles"), gruppe);
        drucken_seite1 = new QAction(tr("Drucken Seite 1"), gruppe);
        drucken_seite2 = new QAction(tr("Drucken Seite 2"), gruppe);
        connect(drucken_alles, &QAction::triggered, this, &CGBrowserDiag::print0Slot);
        connect(drucken_seite1, &QAction::triggered, this, &CGBrowserDiag::print1Slot);
        connect(drucken_seite2, &QAction::triggered, this, &CGBrowserDiag::print2Slot);
        auto* menue = new QMenu(this);
        menue->addActions(gruppe->actions());
        drucken = new QAction(gib_icon(CQString("print")), tr("Drucken"), this);
        drucken->setMenu(menue);
        werkzeugleiste->addAction(drucken);
    }

    if (!web) {
        als_text = new QAction(tr("Speichern als Text"), this);
        als_text->setToolTip(tr("Speichern unter... als Text"));
        connect(als_text, &QAction::triggered, this, &CGBrowserDiag::saveAsTextSlot);
    }
    als_html = new QAction(tr("Speichern als HTML"), this);
    als_html->setToolTip(tr("Speichern unter... als HTML"));
    connect(als_html, &QAction::triggered, this, &CGBrowserDiag::saveAsHTMLSlot);
    als_pdf = new QAction(QIcon(*lade_pixmap(gib_bildverzeichnis(), CQString("exportpdf"), 1, 0, true)),
                          tr("Speichern als PDF"), this);
    als_pdf->setToolTip(tr("Speichern unter... als PDF"));
    connect(als_pdf, &QAction::triggered, this, &CGBrowserDiag::saveAsPDFSlot);
    speichern_menue = new QMenu(this);
    if (als_text)
        speichern_menue->addAction(als_text);
    speichern_menue->addAction(als_html);
    speichern_menue->addAction(als_pdf);
    speichern = new QAction(gib_icon_filesaveas(), tr("Speichern unter..."), this);
    speichern->setMenu(speichern_menue);
    werkzeugleiste->addAction(speichern);

    mailen = new QAction(gib_icon(CQString("mail")), tr("Mailen"), this);
    mailen->setWhatsThis(tr("Bericht per eMail senden"));
    connect(mailen, &QAction::triggered, this, &CGBrowserDiag::domailSlot);
    werkzeugleiste->addAction(mailen);
    werkzeugleiste->addSeparator();

    if (web) {
        pdf_zeigen = new QAction(QIcon(QStringLiteral(":/Kelmor_common/images/textedit/zoomin.png")),
                                 tr("PDF zeigen (um zu Drucken)"), this);
        pdf_zeigen->setToolTip(tr("als PDF speichern und dann PDF anzeigen (Viewer aufschalten)"));
        connect(pdf_zeigen, &QAction::triggered, this, &CGBrowserDiag::zeigePDFSlot);
        werkzeugleiste->addAction(pdf_zeigen);
        neu_laden = new QAction(style()->standardIcon(QStyle::SP_BrowserReload), tr("Aktuelle Seite neu laden"), this);
        connect(neu_laden, &QAction::triggered, this, &CGBrowserDiag::refreshSlot);
        werkzeugleiste->addAction(neu_laden);
        startseite = new QAction(QIcon(QStringLiteral(":/Kelmor_common/images/default/home_22.png")), tr("Home"), this);
        startseite->setToolTip(tr("Zurück zur Startseite"));
        startseite->setEnabled(false);
        connect(startseite, &QAction::triggered, this, &CGBrowserDiag::homeSlot);
        werkzeugleiste->addAction(startseite);
    }

    // The hints in parentheses only name the keys; no shortcut is set.
    zurueck = new QAction(gib_icon(CQString("leftarrow")), tr("Zurück"), this);
    zurueck->setWhatsThis(tr("Zurück (Alt+Links)"));
    connect(zurueck, &QAction::triggered, this, &CGBrowserDiag::backwardSlot);
    vorwaerts = new QAction(gib_icon(CQString("rightarrow")), tr("Vorwärts"), this);
    vorwaerts->setWhatsThis(tr("Vorwärts (Alt+Rechts)"));
    connect(vorwaerts, &QAction::triggered, this, &CGBrowserDiag::forwardSlot);
    werkzeugleiste->addAction(zurueck);
    werkzeugleiste->addAction(vorwaerts);

    layout->addWidget(werkzeugleiste, 0, 0);
    QToolBar* rechts = neue_werkzeugleiste(this);
    schliessen = new QAction(gib_icon_exit(), QString(), this);
    schliessen->setToolTip(tr("Fenster schliessen"));
    schliessen->setWhatsThis(tr("Fenster schliessen"));
    connect(schliessen, &QAction::triggered, this, &QWidget::close);
    rechts->addAction(schliessen);
    layout->addWidget(rechts, 0, 1, Qt::AlignRight);
    // No shortcut reaches the actions: Tab does, and the keys of a drop-down open the menus. A
    // button whose action only carries a menu opens it by Space as well.
    mache_tastbar(werkzeugleiste);
    mache_tastbar(rechts);
    for (QAction* traeger : {drucken, speichern}) {
        if (traeger && traeger->menu())
            if (auto* knopf = qobject_cast<QToolButton*>(werkzeugleiste->widgetForAction(traeger)))
                knopf->setPopupMode(QToolButton::InstantPopup);
    }
    // Tab goes as the eye does: along the tool bars, then into the report below them (the pages'
    // tabs, then the first page; the second takes the first one's turn when it is shown), which
    // was made before the buttons.
    QWidget* davor = rechts->widgetForAction(schliessen);
    for (QWidget* w : std::initializer_list<QWidget*>{browser->findChild<QTabWidget*>(), browser->gib_textseite1(),
                                                      browser->gib_webseite1()}) {
        if (w) {
            QWidget::setTabOrder(davor, w);
            davor = w;
        }
    }
    QSizePolicy ausdehnend(QSizePolicy::Expanding, QSizePolicy::Expanding);
    ausdehnend.setHorizontalStretch(1);
    ausdehnend.setVerticalStretch(1);
    browser->setSizePolicy(ausdehnend);
    layout->addWidget(browser, 1, 0, 1, 2);

    CGBrowserEx* const textseite = browser->gib_textseite1();
    CGBrowserWeb* const webseite = browser->gib_webseite1();
    // What a screen reader announces when the report takes the focus.
    for (QWidget* seite : std::initializer_list<QWidget*>{textseite, browser->gib_textseite2(), webseite})
        if (seite)
            seite->setAccessibleName(tr("Bericht"));
    if (textseite) {
        connect(textseite, &QTextBrowser::backwardAvailable, this, &CGBrowserDiag::setBackwardAvailableSlot);
        connect(textseite, &QTextBrowser::forwardAvailable, this, &CGBrowserDiag::setForwardAvailableSlot);
    } else {
        zurueck->setEnabled(false);
        vorwaerts->setEnabled(false);
        if (webseite) {
            connect(webseite, &CGBrowserWeb::backwardAvailable, this, &CGBrowserDiag::setBackwardAvailableSlot);
            connect(webseite, &CGBrowserWeb::forwardAvailable, this, &CGBrowserDiag::setForwardAvailableSlot);
            connect(webseite, &CGBrowserWeb::homeAvailable, this, &CGBrowserDiag::setHomeAvailableSlot);
        }
    }

    QSizePolicy zeile(QSizePolicy::Expanding, QSizePolicy::Fixed);
    zeile.setHeightForWidth(statusleiste->sizePolicy().hasHeightForWidth());
    statusleiste->setSizePolicy(zeile);
    layout->addWidget(statusleiste, 3, 0, 1, 2);
    // Every page that loads a long report beside the window shows how far it has come.
    fortschritt = new QProgressBar(statusleiste);
    fortschritt->hide();
    statusleiste->addPermanentWidget(fortschritt);
    for (CGBrowserEx* seite : {textseite, browser->gib_textseite2()}) {
        if (!seite)
            continue;
        connect(seite, QOverload<const QUrl&>::of(&QTextBrowser::highlighted), statusleiste,
                [this](const QUrl& ziel) { statusleiste->showMessage(ziel.toString()); });
        connect(seite, &CGBrowserEx::ladefortschritt, this, &CGBrowserDiag::slotLoadProgress);
        // A long selection is copied beside the window: the clipboard gets it once it is ready.
        connect(seite, &CGBrowserEx::kopierfortschritt, this, [this](int prozent) {
            slotLoadProgress(prozent);
            if (prozent < 100)
                statusleiste->showMessage(tr("Die Auswahl wird in die Zwischenablage kopiert ..."));
            else
                statusleiste->clearMessage();
        });
    }
    if (webseite) {
        connect(webseite, &CGBrowserWeb::linkHovered, statusleiste, [this](const QString& ziel) {
            statusleiste->showMessage(ziel);
        });
        connect(webseite, &CGBrowserWeb::loadProgressSignal, this, &CGBrowserDiag::slotLoadProgress);
    }

    languageChange();
    resize(minimumSizeHint().expandedTo(QSize(600, 450)));
    platziere();
}

void CGBrowserDiag::languageChange()
{
    schliessen->setText(QCoreApplication::translate("CGBrowserDiag", "Ok"));
    setWindowTitle(tr("Bericht"));
}

void CGBrowserDiag::platziere()
{
    if (ohne_kaskade)
        return;
    const int andere = std::max(offene_berichte, 0);
    offene_berichte = andere + 1;
    QWidget* const haupt = gib_hauptfenster();
    if (andere < 1 || !haupt)
        return;
    const QRect rahmen = haupt->geometry();
    const int breite = rahmen.right() - rahmen.left();
    const int hoehe = rahmen.bottom() - rahmen.top();
    kaskade_x = haupt->x();
    kaskade_y = haupt->y() + 80;
    for (int i = 0; i < offene_berichte - 1; ++i) {
        kaskade_x += 20;
        kaskade_y += 20;
        // Past the main widget's size the cascade starts again.
        if (kaskade_x + width() > breite || kaskade_y + height() > hoehe) {
            kaskade_x = 0;
            kaskade_y = 0;
        }
    }
    if (isVisible() && isMaximized()) {
        hide();
        move(kaskade_x, kaskade_y);
        showNormal();
    } else {
        move(kaskade_x, kaskade_y);
    }
}

void CGBrowserDiag::closeEvent(QCloseEvent* ereignis)
{
    // A dialog closed once more has nothing left to count or delete. The browser goes as soon as
    // control is back in the event loop, or, when a save, print or mail of it runs meanwhile
    // (`CHintergrund::warte`), once that has ended: the file asked for is finished.
    if (browser) {
        if (!ohne_kaskade)
            --offene_berichte;
        browser->deleteLater();
        browser = nullptr;
    }
    CDialog::closeEvent(ereignis);
}

void CGBrowserDiag::zeige_mailen(const bool& anzeigen)
{
    if (!anzeigen && mailen)
        mailen->setVisible(false);
}

void CGBrowserDiag::print0Slot()
{
    if (browser)
        browser->drucke(0);
}

void CGBrowserDiag::print1Slot()
{
    if (browser)
        browser->drucke(1);
}

void CGBrowserDiag::print2Slot()
{
    if (browser)
        browser->drucke(2);
}

void CGBrowserDiag::domailSlot()
{
    if (!browser)
        return;
    browser->setze_quelle(CQString());
    browser->sende_bericht();
}

void CGBrowserDiag::speichere(int art, bool zeigen)
{
    if (browser)
        browser->speichern_unter(art, zeigen);
}

void CGBrowserDiag::saveAsTextSlot()
{
    speichere(0, false);
}

void CGBrowserDiag::saveAsHTMLSlot()
{
    speichere(1, false);
}

void CGBrowserDiag::saveAsPDFSlot()
{
    speichere(2, false);
}

void CGBrowserDiag::zeigePDFSlot()
{
    speichere(2, true);
}

void CGBrowserDiag::refreshSlot()
{
    if (browser)
        browser->neu_laden();
}

void CGBrowserDiag::homeSlot()
{
    if (browser)
        browser->startseite();
}

void CGBrowserDiag::backwardSlot()
{
    if (browser)
        browser->zurueck();
}

void CGBrowserDiag::forwardSlot()
{
    if (browser)
        browser->vorwaerts();
}

void CGBrowserDiag::setBackwardAvailableSlot(bool b)
{
    zurueck->setEnabled(b);
}

void CGBrowserDiag::setForwardAvailableSlot(bool b)
{
    vorwaerts->setEnabled(b);
}

void CGBrowserDiag::setHomeAvailableSlot(bool b)
{
    if (startseite)
        startseite->setEnabled(b);
    speichern->setEnabled(!b);
    mailen->setEnabled(!b);
}

void CGBrowserDiag::slotLoadProgress(int p)
{
    if (!fortschritt)
        return;
    if (p >= 1 && p <= 99) {
        fortschritt->show();
        fortschritt->setValue(p);
        return;
    }
    fortschritt->hide();
    fortschritt->setRange(0, 100);
    fortschritt->reset();
}

void installiere_protokollanzeige()
{
    CCBaseLog::setze_protokollanzeige([](const CQString& quelle) {
        auto* anzeige = new CGBrowserDiag(gib_hauptfenster(), CQString("Vorgangsprotokoll"), false, Qt::WindowFlags(),
                                          false);
        anzeige->browser->setze_quelle(quelle);
        anzeige->setWindowTitle(QCoreApplication::translate("CCBaseLog", "Vorgangsprotokoll"));
        anzeige->show();
    });
}
