// A text page of the report browser: shows report files itself and hands other sources to the URL or PDF opener.
#pragma once

#include "cqstring.h"

#include <QTextBrowser>

class CGBrowserEx : public QTextBrowser
{
    Q_OBJECT
public:
    // The page never follows a link itself: the report browser decides where a link goes.
    explicit CGBrowserEx(QWidget* eltern);

    // The page's HTML; it declares UTF-8, so that a saved copy keeps every character.
    CQString gib_html() const;
    // The whole text of the source file as the page shows it (a text report as HTML of its
    // lines); empty when it cannot be read.
    CQString lies_quelldatei() const;

    // Links are decided by the allow-list (`pruefe_berichtslink`): an anchor of the shown page
    // scrolls there; report files ("xml", "txt", "htm", "html") are shown here, a text report
    // as text, line by line; web and mail addresses go to the URL opener, documents to their
    // programs (PDF files to the PDF viewer); anything else is refused and logged. A report file
    // that is missing is said so and the page stays as it was. `quelle` becomes the source only
    // when the page shows it: printing and mailing take the report shown. True when the page
    // shows the source now.
    bool zeige_quelle(const CQString& text);

    // The file of the last source shown (cleared by an empty source).
    CQString quelle;

protected:
    // A local file (the page, its pictures and style sheets) is read by the core's rule: a pipe or
    // device of the name gives an empty resource at once, where QTextBrowser would hold the GUI
    // thread until a writer comes. A text report is read in its code page and handed on as HTML
    // of its lines, so that its "<", ">" and "&" stay text. Other addresses, and names relative
    // to no file, go QTextBrowser's way.
    QVariant loadResource(int typ, const QUrl& name) override;
};
