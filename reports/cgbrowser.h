// The report browser: one report page, or two in tabs, on text or web pages, with navigation, printing, saving and PDF.
#pragma once

#include "cbasis.h"
#include "ccthread.h"
#include "cqstring.h"
#include "cvariablesteuer.h"
#include "ebool.h"

#include <QMarginsF>
#include <QPointF>
#include <QRectF>
#include <QStringList>

#include <memory>
#include <ostream>

class CDruckseiten;
class CGBrowserEx;
class CGBrowserWeb;
class CQTabWidget;
class QFont;
class QPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;
class QUrl;
class QVBoxLayout;

class CGBrowser : public CWidget, public CObjekt
{
    Q_OBJECT
    FRAMEWORK_KLASSE(CObjekt)
public:
    // The settings of printed reports: the margins (centimetres) are read when a browser is
    // built, the footer box switch when it prints.
    struct Druckeinstellungen
    {
        CVariableSteuer<EBool> fusszeile;
        CVariableSteuer<double> rand_unten;
        CVariableSteuer<double> rand_links;
        CVariableSteuer<double> rand_rechts;
        CVariableSteuer<double> rand_oben;
    };
    static Druckeinstellungen& gib_druckeinstellungen();

    // What the footer box of a printed report shows; every new browser resets them, the XML
    // report sets them afterwards.
    static bool druck_stoermeldung;
    static QString druck_titel;

    // The two-page form always shows text pages; the one-page form a web page when the control
    // data say "/Allgemein/HTML_Viewer_verwende_QWebEngineView".
    CGBrowser(QWidget* eltern, const CQString& name, const bool& zwei_seiten);
    ~CGBrowser() override;
    void ausgabe(std::ostream& os) const override;

    bool verwendet_web() const { return web; }
    CGBrowserEx* gib_textseite1() const { return textseite1; }
    CGBrowserEx* gib_textseite2() const { return textseite2; }
    CGBrowserWeb* gib_webseite1() const { return webseite1; }

    // Page 1's history; page 2 is never navigated.
    void zurueck();
    void vorwaerts();
    // A web page loads its source again; a text page has no home.
    void startseite();
    void neu_laden();
    CQString titel() const;

    // Page 1 shows the source (a file name or address); an empty source only clears `quelle`.
    void setze_quelle(const CQString& quelle_);

    // Kind 0 all pages, 1 page 1, 2 page 2 (the kind counts in the two-page form only).
    void drucke(const int& art);
    // The print dialog, then the pages' source files printed in one job with running page numbers.
    void drucke_seiten(CGBrowserEx* seite1, CGBrowserEx* seite2, bool fusszeile, const int& art);
    // One job on a chosen printer: the HTML texts given (null: left out), page 2 on a new sheet.
    // Paper too small for one line between the margins, and a page with a paragraph or table too
    // long to lay out, are reported, and nothing is printed.
    void drucke_berichtsseiten(QPrinter& drucker, const CQString* html1, const CQString* html2, bool fusszeile);
    // A report page's document laid out for the printer within the configured margins.
    std::unique_ptr<CDruckseiten> lege_seiten_an(QPrinter& drucker, QTextDocument& dokument, bool fusszeile);
    // The laid-out pages sheet by sheet, with the printer's range, order and copies; the
    // running number goes on from `nummer` and ends at the range's last page. False when the
    // printer stopped.
    bool drucke_seitenweise(QPrinter& drucker, QPainter& maler, const CDruckseiten& seiten, bool fusszeile, int& nummer);
    void zeichne_blatt(int seite, int nummer, QPainter& maler, const CDruckseiten& seiten, const QRectF& koerper,
                       const QPointF& position, bool fusszeile);
    // A text page onto a chosen printer within the configured margins, with the page numbers.
    void drucke_text(QTextDocument& dokument, QPrinter& drucker) const;
    // Neither page shows anything.
    bool ist_leer() const;
    CQString fusszeile_html(int nummer) const;

    // Kind 0 text, 1 HTML, 2 PDF (with `zeigen`: written to ".zeigePDF.pdf" or, from a web page,
    // a new temporary file, and shown in the PDF viewer).
    void speichern_unter(int art, const bool& zeigen);
    bool speichere_html(const CQString& datei, bool, bool, const CQString&);
    // The shown report as PDF; `drucken` goes to the web page's PDF output.
    void drucke_pdf(const CQString& datei, const bool& drucken);

    // Mails the report unless a dispatch is still active (then the user is told).
    void sende_bericht();
    // A new mail of the report (its file, or the text of page 1), the files that travel beside
    // it, subject and text, handed off at once; an SMTP mail goes once control is back.
    void erstelle_mail();

    // Handed to the mail as its link mode; 0.
    int link_modus = 0;
    // Files that travel beside the report: copied next to a saved HTML file, attached to a mail.
    QStringList weitere_dateien;
    CQString mail_betreff;
    CQString mail_text;
    // A report file the mail reads as its text; cleared by `setze_quelle("")`.
    CQString quelle;
    // When set, the target of saving itself: no save dialog.
    CQString speicherziel;
    // Where the PDF data of a report to be mailed go (`slotHandlePdfPrinted`); the XML report sets it.
    CQString mail_pdf_datei;

public slots:
    void highlightedSlot(CQString);
    void anchorClickedSlot(const QUrl& url);
    void anchorClickedSlot2(const QUrl& url);
    // Writes the data to the pending mail PDF, attaches it and mails the report; nothing
    // without data or when the file cannot be written.
    void slotHandlePdfPrinted(const QByteArray& daten);
    void zeigePDFSlot();

private:
    // A link of a text page goes by its scheme; relative ones are taken from the page's source.
    bool folge_link(CGBrowserEx* seite, const QUrl& url);
    // The footer box is asked for and switched on.
    static bool mit_fusszeile(bool fusszeile);
    // The page margins of the paged printing on `drucker` (device pixels, also kept in the
    // browser), and in `fuss` the footer's height: the footer box's own where it is taller than
    // the bottom margin.
    QMarginsF druckraender(QPrinter& drucker, const QFont& schrift, bool mit_fuss, int& fuss);
    // The footer box of the sheet numbered `nummer`, laid out on `geraet` `breite` wide.
    std::unique_ptr<QTextDocument> fusskasten(int nummer, QPaintDevice& geraet, qreal breite) const;
    // The printer's page holds one line between those margins.
    bool papier_reicht(QPrinter& drucker, bool fusszeile);
    // Print, save and mail of a viewer that shows nothing say why: the report was refused (the
    // refusal again), or else nothing is there (the error beep).
    void melde_leer() const;
    // Waits for a web page still loading, or a page of the two-page form still reading its
    // report (a single text page is printed, saved and mailed from its file, read or not), with
    // the progress shown and a cancel (`CHintergrund::warte`). True when what the pages show is
    // the whole report; false when the user cancelled (`abgebrochen`, when given, is set then),
    // when the page could not be loaded (said so, with the engine's reason), or when this browser
    // went meanwhile: then nothing of it may be used any more.
    bool warte_auf_bericht(bool* abgebrochen = nullptr);
    // Restores the print job's wait cursor, once.
    void beende_warte_cursor();
    QString zeige_pdf_datei() const;

    CGBrowserEx* textseite1 = nullptr;
    CGBrowserEx* textseite2 = nullptr;
    CGBrowserWeb* webseite1 = nullptr;
    CGBrowserWeb* webseite2 = nullptr;
    QWidget* eltern;
    QVBoxLayout* layout;
    bool zwei_seiten;
    bool web = false;
    CQTabWidget* tabs = nullptr;
    QString eigene_dateien;
    float rand_oben;
    float rand_unten;
    float rand_links;
    float rand_rechts;
    int geraeterand_oben = 0;
    int geraeterand_unten = 0;
    int geraeterand_links = 0;
    int geraeterand_rechts = 0;
    // During a print job: the wait cursor is on, a sheet has been drawn.
    bool warte_cursor = false;
    bool blatt_belegt = false;
    // Why the report last given was refused; empty when it was not.
    QString verweigerung;
};
