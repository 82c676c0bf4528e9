#include "ctextedit.h"
#include "cqstringsteuer.h"
#include "cvariablesteuer.h"
#include "gui.h"
#include "linkfreigabe.h"
#include "plattform.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace {

// The text edit's settings; their keys are declared nowhere else.
struct Einstellungen
{
    CQStringSteuer url_muster{CQString("/Privat/UrlPattern"), CQString("((http|https)://[^ ]+)"),
                              CQString(QT_TRANSLATE_NOOP("QObject", "Muster zum Erkennen von URLs")), false};
    CVariableSteuer<int> tab_breite{"/Privat/TextEdit_tab_Breite", 10,
                                    QT_TRANSLATE_NOOP("QObject", "Tabbreite (Pixel) in Textedit"), ""};
};

Einstellungen& einstellungen()
{
    static Einstellungen* werte = new Einstellungen;
    return *werte;
}

// Registered while globals are built, so the settings dialog lists them before any text edit exists.
const bool angelegt = (einstellungen(), true);

bool ueber_shell(const CQString& adresse, const bool&)
{
    return oeffne_mit_shell(adresse);
}

CTextEdit::UrlOeffner& url_oeffner()
{
    static CTextEdit::UrlOeffner oeffner = ueber_shell;
    return oeffner;
}

} // namespace

void CTextEdit::setze_url_oeffner(UrlOeffner oeffner)
{
    url_oeffner() = oeffner ? std::move(oeffner) : UrlOeffner(ueber_shell);
}

bool CTextEdit::oeffne_url(const CQString& adresse, const bool& webadresse)
{
    return url_oeffner()(adresse, webadresse);
}

CQStringSteuer& CTextEdit::gib_url_muster_variable()
{
    return einstellungen().url_muster;
}

CVariableSteuer<int>& CTextEdit::gib_tabbreite_variable()
{
    return einstellungen().tab_breite;
}

CTextEdit::CTextEdit(QWidget* eltern, const CQString& name)
    : QTextEdit(eltern),
      link_muster(gib_url_muster_variable().gib_wert_qstr(), Qt::CaseSensitive, QRegExp::RegExp)
{
    setObjectName(name.isEmpty() ? QStringLiteral("CTextEdit") : QString(name));
    setAcceptRichText(false);
    setReadOnly(false);
    setTabStopDistance(gib_tabbreite_variable().gib_wert());
    setWordWrapMode(QTextOption::WordWrap);
    // Without tracking the viewport reports moves only while a button is held, and the link's
    // tool tip would never follow the hovering mouse.
    viewport()->setMouseTracking(true);
}

bool CTextEdit::finde_link(const QPoint& pos, QString& link)
{
    const QTextBlock absatz = document()->findBlock(cursorForPosition(pos).position());
    if (link_muster.indexIn(absatz.text(), 0) < 0 || link_muster.matchedLength() <= 0)
        return false;
    link = link_muster.cap(1);
    return true;
}

void CTextEdit::mouseMoveEvent(QMouseEvent* event)
{
    // The paragraph's first link is shown, not necessarily the one under the mouse.
    QString link;
    if (!finde_link(event->pos(), link))
        setToolTip(QString());
    else
        setToolTip(QStringLiteral("%1\n%2").arg(link, tr("STRG+Mausklick zum Öffnen der Verknüpfung")));
    QTextEdit::mouseMoveEvent(event);
}

void CTextEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier) {
        QString link;
        if (finde_link(event->pos(), link)) {
            oeffneLink(QUrl(link, QUrl::TolerantMode));
            return;
        }
    }
    QTextEdit::mouseReleaseEvent(event);
}

void CTextEdit::oeffneLink(const QUrl& url)
{
    fehler_ton();
    // A pattern that finds more than web addresses finds no programs to start: the allow-list
    // decides, and logs what it refuses.
    if (pruefe_link(url.toString()).art == Linkart::Verweigert)
        return;
    oeffne_url(CQString(url.toString()), true);
}

void CTextEdit::keyPressEvent(QKeyEvent* event)
{
    if (euro_verweigern && verweigere_euro_taste(event))
        return;
    QTextEdit::keyPressEvent(event);
}
