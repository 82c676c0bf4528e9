// The framework's multi-line plain-text field that opens web links with Ctrl+click.
#pragma once

#include "cqstring.h"

#include <QRegExp>
#include <QTextEdit>
#include <functional>

class CQStringSteuer;
class QUrl;
template <typename T>
class CVariableSteuer;

// Finds the first link of the paragraph under the mouse by the pattern of "/Privat/UrlPattern":
// hovering shows it as tool tip, Ctrl+left click opens it. Can refuse the euro sign typed with Alt.
class CTextEdit : public QTextEdit
{
    Q_OBJECT
public:
    // Opens an address; the flag allows starting a browser program named by the settings.
    // The browser installs its own opener here; until then addresses go to the shell.
    using UrlOeffner = std::function<bool(const CQString& adresse, const bool& webadresse)>;
    // An empty function restores the shell.
    static void setze_url_oeffner(UrlOeffner oeffner);
    // Hands the address to the installed opener; its result.
    static bool oeffne_url(const CQString& adresse, const bool& webadresse);

    // The two settings every text edit reads when it is built.
    static CQStringSteuer& gib_url_muster_variable();
    static CVariableSteuer<int>& gib_tabbreite_variable();

    explicit CTextEdit(QWidget* eltern = nullptr, const CQString& name = CQString());

    // The error beep as acknowledgement, then the opener; a failure is reported by the opener.
    void oeffneLink(const QUrl& url);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    QRegExp link_muster;
    // Kept free for derived widgets; the text edit itself never reads it.
    int reserviert = 0;
    // Derived input fields set it when their storage cannot hold "€".
    bool euro_verweigern = false;

private:
    // True when the pattern matches, with a length, in the paragraph at `pos` (viewport
    // coordinates); `link` is then capture 1 of that first match. An invalid pattern never matches.
    bool finde_link(const QPoint& pos, QString& link);
};
