// A text page of the report browser: shows report files itself and hands other sources to the URL or PDF opener.
#pragma once

#include "cqstring.h"

#include <QTextBrowser>

#include <memory>

class CAuswahlkopie;
class CBerichtsdokument;
class CHintergrund;
class CSchrittlayout;

class CGBrowserEx : public QTextBrowser
{
    Q_OBJECT
public:
    // The page never follows a link itself: the report browser decides where a link goes.
    explicit CGBrowserEx(QWidget* eltern);
    ~CGBrowserEx() override;

    // The page's HTML; it declares UTF-8, so that a saved copy keeps every character.
    CQString gib_html() const;
    // The whole text of the source file as the page shows it (a text report as HTML of its
    // lines); empty when it cannot be read.
    CQString lies_quelldatei() const;
    // A document of `html` for paper whose pictures and style sheets are this page's, whatever the
    // current folder: read as the page reads its own, and named from its source, so that the
    // document may take in another page's. It must not outlive the page.
    std::unique_ptr<QTextDocument> druckdokument(const QString& html);

    // Links are decided by the allow-list (`pruefe_berichtslink`): an anchor of the shown page
    // scrolls there; report files ("xml", "txt", "htm", "html") are shown here, a text report
    // as text, line by line; web and mail addresses go to the URL opener, documents to their
    // programs (PDF files to the PDF viewer); anything else is refused and logged. A report file
    // that is missing or larger than a page loads (`bericht_verweigert`) is said so and the page
    // stays as it was. `quelle` becomes the source only
    // when the page shows it: printing and mailing take the report shown. True when the page
    // shows the source now.
    bool zeige_quelle(const CQString& text);

    // The file of the last source shown (cleared by an empty source).
    CQString quelle;

    // Whether a report is still being read into the page.
    bool laedt() const;
    // The report file the page shows or is reading; empty when it shows no report file (a page
    // given its HTML). Prints and copies of such a page are built from the file beside the window.
    QString gib_berichtsdatei() const;
    // How far the report being read has come, in per cent (while `laedt`).
    int gib_fortschritt() const { return fortschritt; }
    // Why the report last asked for could not be read; empty when it could.
    const QString& gib_ladefehler() const { return ladefehler; }

signals:
    // The share of a report read and laid out, in per cent: 1 to 99 while it goes on, then 100.
    void ladefortschritt(int prozent);
    // The same of a long selection copied into the clipboard (`CAuswahlkopie`, which takes the
    // page's select all and copy: on a report of a hundred thousand rows each held the window for
    // seconds).
    void kopierfortschritt(int prozent);

public slots:
    // As QTextBrowser's; a report is read as below.
    void setSource(const QUrl& name) override;

protected:
    // A local file (the page, its pictures and style sheets) is read by the core's rule
    // (`CBerichtsdokument::lies_berichtsressource`): a pipe or device of the name gives an empty
    // resource at once, where QTextBrowser would hold the GUI thread until a writer comes. A
    // report the page is to show (a text report as plain text, its "<", ">" and "&" staying text,
    // any other as HTML) is built into a document of its own (`CBerichtsdokument`): a small one at
    // once, a larger one on a thread of its own while the page says that it loads and the window
    // answers; the page shows it once it is complete and lays it out in short steps
    // (`CSchrittlayout`). Another source ends such a load. Other addresses, and names relative to
    // no file, go QTextBrowser's way.
    QVariant loadResource(int typ, const QUrl& name) override;
    // A new width lays the page out again from its top, in steps: a page shown far down waits at
    // the top meanwhile.
    void resizeEvent(QResizeEvent* ereignis) override;
    // Tab and Shift+Tab step from link to link as QTextBrowser's do, but Shift+Tab on the first
    // link (or before any) leaves the report backward, where Qt's walk would go round to the last
    // link: the tool bar above is then one key away, as it is by Ctrl+Tab from anywhere.
    bool focusNextPrevChild(bool next) override;

private:
    struct Ladung;
    // Starts reading the report that `loadResource` asked for, if any.
    void lade_ausstehenden_bericht();
    void lade_fertig();
    // Shows the document a load has completed.
    void zeige_geladen(QTextDocument* dokument);
    // Gives up the document the page shows, when it is a report's, so that a new source does not
    // clear it on the GUI thread; it goes beside the window.
    void gib_bericht_ab();

    QString ausstehend;
    QString ladedatei;
    QString anker;
    QString ladefehler;
    int fortschritt = 0;
    std::shared_ptr<Ladung> ladung;
    std::unique_ptr<CHintergrund> lader;
    CSchrittlayout* schritte;
    CAuswahlkopie* kopie;
};
