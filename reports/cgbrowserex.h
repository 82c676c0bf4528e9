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
    // The whole text of the source file; empty when it cannot be read.
    CQString lies_quelldatei() const;

    // Web addresses go to the URL opener, report files ("xml", "txt", "htm", "html") are shown
    // here, PDF files go to the PDF viewer, anything else to the URL opener as a file; a link to
    // an anchor of the shown page scrolls there. A "javascript:" address does nothing, and a
    // program, script or desktop entry is not started but logged as a warning. True when the page
    // shows the source now.
    bool zeige_quelle(const CQString& text);

    // The last source given.
    CQString quelle;

protected:
    // A local file (the page, its pictures and style sheets) is read by the core's rule: a pipe or
    // device of the name gives an empty resource at once, where QTextBrowser would hold the GUI
    // thread until a writer comes. Other addresses, and names relative to no file, go
    // QTextBrowser's way.
    QVariant loadResource(int typ, const QUrl& name) override;
};

// The file a path or "file:" address names; empty for an address of another scheme ("mailto:",
// "smb://"). A drive letter is no scheme.
QString lokale_datei(const QString& pfad);
