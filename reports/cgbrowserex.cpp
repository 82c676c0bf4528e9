#include "cgbrowserex.h"
#include "auswahlkopie.h"
#include "berichtsdokument.h"
#include "berichthtml.h"
#include "berichtslink.h"
#include "ccat.h"
#include "cqiodatei.h"
#include "ctextedit.h"
#include "dateien.h"
#include "gui.h"
#include "hintergrund.h"
#include "schrittlayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <utility>
#include <vector>

namespace {

// Reports up to this size are built before control returns: in some tens of milliseconds.
constexpr qint64 sofort_bis = 64 * 1024;

// The lines of a text report as HTML that reads back as those lines; empty when it cannot be
// read or is larger than a page loads.
QString textbericht_als_html(const QString& datei)
{
    QString text;
    QString fehler;
    if (!CQIODatei::lies_text(datei, text, fehler, groesste_berichtsdatei(datei)))
        return QString();
    // Lines ended as on Windows are lines all the same.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QTextDocument dokument;
    dokument.setPlainText(text);
    return dokument.toHtml(QByteArrayLiteral("utf-8"));
}

} // namespace

// What a load on its own thread hands over: the document, moved to the GUI thread, and where the
// anchor the source named lies in it.
struct CGBrowserEx::Ladung
{
    std::unique_ptr<CBerichtsdokument> dokument;
    int anker = -1;
};

CGBrowserEx::CGBrowserEx(QWidget* eltern)
    : QTextBrowser(eltern), schritte(new CSchrittlayout(this)), kopie(new CAuswahlkopie(this))
{
    connect(kopie, &CAuswahlkopie::fortschritt, this, &CGBrowserEx::kopierfortschritt);
    setOpenLinks(false);
    setOpenExternalLinks(true);
}

bool CGBrowserEx::focusNextPrevChild(bool next)
{
    const QTextCursor vorher = textCursor();
    if (!QTextBrowser::focusNextPrevChild(next))
        return false;
    // Forward, or already out of the page, or to an earlier link: Qt's walk stands.
    if (next || window()->focusWidget() != this || textCursor().selectionStart() < vorher.selectionStart())
        return true;
    setTextCursor(vorher);
    return QTextEdit::focusNextPrevChild(false);
}

CGBrowserEx::~CGBrowserEx()
{
    // A long report goes beside the window, not with it.
    lader.reset();
    gib_bericht_ab();
}

bool CGBrowserEx::laedt() const
{
    return !ausstehend.isEmpty() || lader != nullptr;
}

QString CGBrowserEx::gib_berichtsdatei() const
{
    if (laedt())
        return ladedatei;
    const auto* const bericht = qobject_cast<const CBerichtsdokument*>(document());
    return bericht ? bericht->gib_datei() : QString();
}

void CGBrowserEx::setSource(const QUrl& name)
{
    QTextBrowser::setSource(name);
    // A small report is on the page before control returns.
    lade_ausstehenden_bericht();
}

void CGBrowserEx::lade_ausstehenden_bericht()
{
    if (ausstehend.isEmpty())
        return;
    const QString datei = std::exchange(ausstehend, QString());
    auto ladung_ = std::make_shared<Ladung>();
    const qreal breite = viewport()->width();
    const QFont schrift = document()->defaultFont();
    const auto arbeit = [ladung_, datei, breite, schrift, name = anker](CHintergrund* hintergrund) {
        auto dokument = std::make_unique<CBerichtsdokument>();
        dokument->setDefaultFont(schrift);
        const QString fehler = dokument->lade(datei, breite, hintergrund);
        if (!fehler.isEmpty() || (hintergrund && hintergrund->abgebrochen()))
            return fehler;
        ladung_->anker = name.isEmpty() ? -1 : dokument->anker_position(name);
        // Made here too: for a table of half a million rows a tenth of a second the window waited.
        dokument->documentLayout();
        dokument->moveToThread(QCoreApplication::instance()->thread());
        ladung_->dokument = std::move(dokument);
        return QString();
    };
    ladung = ladung_;
    if (QFileInfo(datei).size() <= sofort_bis) {
        ladefehler = arbeit(nullptr);
        lade_fertig();
        return;
    }
    lader = std::make_unique<CHintergrund>([arbeit](CHintergrund& hintergrund) { return arbeit(&hintergrund); });
    connect(lader.get(), &CHintergrund::anteil, this, [this](int promille) {
        fortschritt = qBound(1, promille / 10, 99);
        emit ladefortschritt(fortschritt);
    });
    connect(lader.get(), &CHintergrund::fertig, this, [this] {
        ladefehler = lader->gib_fehler();
        lade_fertig();
    });
    fortschritt = 1;
    emit ladefortschritt(fortschritt);
    lader->starte();
}

void CGBrowserEx::lade_fertig()
{
    const std::shared_ptr<Ladung> fertig = std::move(ladung);
    lader.reset();
    emit ladefortschritt(100);
    if (!ladefehler.isEmpty()) {
        document()->clear();
        quelle.clear();
        melde_bericht(ladefehler);
        return;
    }
    if (!fertig || !fertig->dokument)
        return;
    zeige_geladen(fertig->dokument.release());
    schritte->zeige_wieder(fertig->anker);
}

void CGBrowserEx::zeige_geladen(QTextDocument* dokument)
{
    QTextDocument* const alt = document();
    dokument->setParent(this);
    dokument->setDefaultFont(alt->defaultFont());
    if (dokument->baseUrl().isEmpty())
        dokument->setBaseUrl(alt->baseUrl());
    dokument->setMetaInformation(QTextDocument::DocumentUrl, alt->metaInformation(QTextDocument::DocumentUrl));
    // The text control deletes the document it made itself; one of this page's goes here.
    const bool eigenes = alt->parent() == this;
    setDocument(dokument);
    if (eigenes)
        delete alt;
    // QTextBrowser learns of a changed page from its document, so that the same source shown
    // again after the page was emptied is loaded anew; it listens to the first document only.
    connect(dokument, SIGNAL(contentsChanged()), this, SLOT(_q_documentModified()));
    schritte->folge_dokument();
}

void CGBrowserEx::gib_bericht_ab()
{
    QTextDocument* const bericht = qobject_cast<CBerichtsdokument*>(document());
    if (!bericht)
        return;
    auto* leer = new QTextDocument(this);
    leer->setDefaultFont(bericht->defaultFont());
    setDocument(leer);
    connect(leer, SIGNAL(contentsChanged()), this, SLOT(_q_documentModified()));
    schritte->folge_dokument();
    if (bericht->parent() == this)
        CHintergrund::loesche(bericht);
}

CQString CGBrowserEx::gib_html() const
{
    return CQString(document()->toHtml(QByteArrayLiteral("utf-8")));
}

QVariant CGBrowserEx::loadResource(int typ, const QUrl& name)
{
    // Resolved against the page shown, "file:" addresses with a relative path too.
    const QUrl adresse = source().isRelative() ? name : loese_link_auf(source(), name);
    if (typ == QTextDocument::HtmlResource) {
        // The page gets another source: a load still running is of no use any more.
        lader.reset();
        ladung.reset();
        ausstehend.clear();
        ladedatei.clear();
        const QString datei = adresse.isLocalFile() ? lokaler_pfad(adresse)
                              : adresse.scheme().isEmpty() ? adresse.path()
                                                           : QString();
        if (QFileInfo(datei).isAbsolute()) {
            // QTextBrowser would clear the report shown for the note below, on the GUI thread.
            gib_bericht_ab();
            ausstehend = ladedatei = datei;
            anker = adresse.fragment();
            // The history reaches here passing by `setSource`.
            QTimer::singleShot(0, this, &CGBrowserEx::lade_ausstehenden_bericht);
            return tr("Der Bericht wird geladen ...");
        }
    }
    const QVariant wert = CBerichtsdokument::lies_berichtsressource(typ, adresse);
    return wert.isNull() ? QTextBrowser::loadResource(typ, name) : wert;
}

void CGBrowserEx::resizeEvent(QResizeEvent* ereignis)
{
    const bool neue_breite = ereignis->oldSize().width() != ereignis->size().width();
    const int oben = neue_breite ? schritte->vor_neuer_breite() : -1;
    QTextBrowser::resizeEvent(ereignis);
    if (auto* const bericht = qobject_cast<CBerichtsdokument*>(document()); bericht && neue_breite)
        bericht->nimm_breite(viewport()->width());
    schritte->zeige_wieder(oben);
}

CQString CGBrowserEx::lies_quelldatei() const
{
    if (ist_textbericht(quelle))
        return CQString(textbericht_als_html(quelle));
    QFile datei(quelle);
    if (!oeffne_regulaere_datei(datei, QIODevice::ReadOnly) || datei.size() > groesste_berichtsdatei(quelle))
        return CQString();
    return CQString(html_aus_bytes(datei.readAll()));
}

std::unique_ptr<QTextDocument> CGBrowserEx::druckdokument(const QString& html)
{
    // A document asks its parent's `loadResource` first.
    auto dokument = std::make_unique<QTextDocument>(this);
    dokument->setHtml(html);
    // Renamed once all are found: a changed format may join fragments under the walk.
    struct Bild
    {
        int anfang;
        int ende;
        QTextImageFormat format;
    };
    std::vector<Bild> bilder;
    for (QTextBlock absatz = dokument->begin(); absatz.isValid(); absatz = absatz.next()) {
        for (auto stueck = absatz.begin(); !stueck.atEnd(); ++stueck) {
            QTextImageFormat bild = stueck.fragment().charFormat().toImageFormat();
            const QUrl name(bild.name());
            if (bild.isValid() && loese_link_auf(source(), name) != name) {
                bild.setName(loese_link_auf(source(), name).toString());
                bilder.push_back({stueck.fragment().position(),
                                  stueck.fragment().position() + stueck.fragment().length(), bild});
            }
        }
    }
    QTextCursor auswahl(dokument.get());
    for (const Bild& bild : bilder) {
        auswahl.setPosition(bild.anfang);
        auswahl.setPosition(bild.ende, QTextCursor::KeepAnchor);
        auswahl.setCharFormat(bild.format);
    }
    return dokument;
}

bool CGBrowserEx::zeige_quelle(const CQString& text)
{
    if (text.isEmpty()) {
        quelle.clear();
        return false;
    }
    const Linkziel ziel = pruefe_berichtslink(text);
    switch (ziel.art) {
    case Linkart::Anker: {
        // The shell would take it for a file of its own. Far down a long report, the page goes
        // there once its layout has come so far.
        const auto* const bericht = qobject_cast<const CBerichtsdokument*>(document());
        if (bericht)
            schritte->zeige_wieder(bericht->anker_position(text.mid(1)));
        else
            scrollToAnchor(text.mid(1));
        return true;
    }
    case Linkart::Webadresse:
        CTextEdit::oeffne_url(text, true);
        return false;
    case Linkart::Mailadresse:
        CTextEdit::oeffne_url(text, false);
        return false;
    case Linkart::Dokument:
        oeffne_dokument(text, ziel.datei, "CGBrowserEx");
        return false;
    case Linkart::Verweigert:
        return false;
    case Linkart::Seite:
        break;
    }
    if (bericht_verweigert(ziel.datei))
        return false;
    // A name relative to the current folder is taken from there, and so are the links in it; an
    // address keeps its anchor.
    const QUrl adresse = text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) && QUrl(text).isValid()
                             ? QUrl(text)
                             : QUrl::fromLocalFile(QFileInfo(ziel.datei).absoluteFilePath());
    CQCat::gib_instanz()->debug(CQString(QStringLiteral("URL: %1").arg(adresse.toString())));
    setze_warte_cursor(true, false);
    setSource(adresse);
    setze_warte_cursor(false, false);
    // The file itself, not its address: printing and mailing read it.
    quelle = CQString(ziel.datei);
    return true;
}
