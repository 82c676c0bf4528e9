// The report viewer: the report browser framed by a tool bar to print, save, mail and navigate, and a status bar with link and load progress.
#pragma once

#include "ccthread.h"
#include "cqstring.h"

class CGBrowser;
class QAction;
class QCloseEvent;
class QGridLayout;
class QMenu;
class QProgressBar;
class QStatusBar;
class QToolBar;

// Opened with `new`, given its report through `browser->setze_quelle`, titled and shown; not
// modal. Viewers that take part in the cascade are placed one step below and right of the last
// one. Closing deletes the browser (once work on it has ended) and hides the dialog, which stays
// a child of its parent.
class CGBrowserDiag : public CDialog
{
    Q_OBJECT
public:
    // `zwei_seiten`: two report pages in tabs (always text pages).
    CGBrowserDiag(QWidget* eltern, const CQString& name, bool ohne_kaskade, Qt::WindowFlags flags,
                  const bool& zwei_seiten);

    // Hides the mail action when `anzeigen` is false; true changes nothing.
    void zeige_mailen(const bool& anzeigen);

    // The viewers open in the cascade.
    static int offene_berichte;

    // Null once the dialog has been closed.
    CGBrowser* browser = nullptr;

public slots:
    void print0Slot();
    void print1Slot();
    void print2Slot();
    void domailSlot();
    void saveAsTextSlot();
    void saveAsHTMLSlot();
    void saveAsPDFSlot();
    void zeigePDFSlot();
    void refreshSlot();
    void homeSlot();
    void backwardSlot();
    void forwardSlot();
    void setBackwardAvailableSlot(bool b);
    void setForwardAvailableSlot(bool b);
    // A page reached by following links can be neither saved nor mailed.
    void setHomeAvailableSlot(bool b);
    // 1 to 99 shows the bar at that value; anything else hides and resets it.
    void slotLoadProgress(int p);
    virtual void languageChange();

protected:
    void closeEvent(QCloseEvent* ereignis) override;

private:
    void platziere();
    void speichere(int art, bool zeigen);

    QAction* drucken_alles = nullptr;
    QAction* drucken_seite1 = nullptr;
    QAction* drucken_seite2 = nullptr;
    QAction* drucken = nullptr;
    QAction* mailen = nullptr;
    QAction* pdf_zeigen = nullptr;
    QAction* neu_laden = nullptr;
    QAction* zurueck = nullptr;
    QAction* vorwaerts = nullptr;
    QGridLayout* layout = nullptr;
    QStatusBar* statusleiste = nullptr;
    QProgressBar* fortschritt = nullptr;
    QToolBar* werkzeugleiste = nullptr;
    QAction* als_text = nullptr;
    QAction* als_html = nullptr;
    QAction* als_pdf = nullptr;
    QMenu* speichern_menue = nullptr;
    QAction* schliessen = nullptr;
    QAction* startseite = nullptr;
    QAction* speichern = nullptr;
    bool ohne_kaskade;
    bool zwei_seiten;
    int kaskade_x = 0;
    int kaskade_y = 0;
};

// Makes the report viewer the one the log windows' protocol button opens, titled
// "Vorgangsprotokoll", on the main widget.
void installiere_protokollanzeige();
