// A text page of the report browser: shows report files itself and hands other sources to the URL or PDF opener.
#pragma once

#include "cqstring.h"

#include <QTextBrowser>

#include <memory>

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
    // that is missing or larger than a page loads (`bericht_zu_gross`) is said so and the page
    // stays as it was. `quelle` becomes the source only
    // when the page shows it: printing and mailing take the report shown. True when the page
    // shows the source now.
    bool zeige_quelle(const CQString& text);

    // The file of the last source shown (cleared by an empty source).
    CQString quelle;

    // Whether a text report is still being read into the page.
    bool laedt() const;
    // Completes a text report still being read, at once: what is printed or saved is the whole
    // report, not the page's note that it loads.
    void lade_zu_ende();

public slots:
    // As QTextBrowser's; a text report is read as below.
    void setSource(const QUrl& name) override;

protected:
    // A local file (the page, its pictures and style sheets) is read by the core's rule: a pipe or
    // device of the name gives an empty resource at once, where QTextBrowser would hold the GUI
    // thread until a writer comes; a file larger than a page loads gives an empty resource too. A
    // text report is read in its code page as plain text, so that its "<", ">" and "&" stay text:
    // a small one at once, a large one in slices between which the event loop runs (the page says
    // meanwhile that it loads), at most `groesste_berichtsdatei` characters, into a document of
    // its own that the page shows once it is complete. Another source ends such a load. Other
    // addresses, and names relative to no file, go QTextBrowser's way.
    QVariant loadResource(int typ, const QUrl& name) override;
    // Tab and Shift+Tab step from link to link as QTextBrowser's do, but Shift+Tab on the first
    // link (or before any) leaves the report backward, where Qt's walk would go round to the last
    // link: the tool bar above is then one key away, as it is by Ctrl+Tab from anywhere.
    bool focusNextPrevChild(bool next) override;

private:
    class Textlader;
    // Starts reading the text report that `loadResource` asked for, if any.
    void lade_ausstehenden_bericht();
    // The next slice of the load numbered `nummer`, if it still runs.
    void lies_weiter(unsigned nummer);
    // Shows the document a load has completed.
    void zeige_geladen(QTextDocument* dokument);
    // Shows what the running load has read, which then ends.
    void beende_lader();

    QString ausstehend;
    std::unique_ptr<Textlader> lader;
    unsigned ladenummer = 0;
};
