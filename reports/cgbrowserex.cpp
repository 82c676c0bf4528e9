#include "cgbrowserex.h"
#include "berichthtml.h"
#include "bedienhilfe.h"
#include "berichtslink.h"
#include "ccat.h"
#include "cqiodatei.h"
#include "ctextedit.h"
#include "dateien.h"
#include "gui.h"
#include "steuerzeichen.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

#include <cerrno>

namespace {

// Characters read between two turns of the event loop: some tens of milliseconds of work.
constexpr int stueckgroesse = 1 << 20;

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

// A text report read into a document of its own as plain text, a slice at a time: the text
// goes in as it comes, with no HTML made of it on the way, so that memory stays a small
// multiple of the file.
class CGBrowserEx::Textlader
{
public:
    explicit Textlader(const QString& datei) : eingabe(CQString(datei)), rest(groesste_berichtsdatei(datei))
    {
        dokument->setUndoRedoEnabled(false);
    }

    bool oeffne()
    {
        if (!eingabe.oeffne(true, false, false, false, false))
            return false;
        eingabe.setze_codec(false);
        return true;
    }

    // Reads the next slice; true once the file is read whole, or as far as a page loads.
    bool lies_stueck()
    {
        QTextStream& strom = *eingabe.gib_stream();
        QString stueck = strom.read(std::min<qint64>(stueckgroesse, rest));
        rest -= stueck.size();
        const bool ende = strom.atEnd() || rest <= 0;
        stueck.prepend(zeilenende);
        zeilenende.clear();
        // Lines ended as on Windows are lines all the same, also when a slice ends between CR and LF.
        if (!ende && stueck.endsWith(QLatin1Char('\r'))) {
            stueck.chop(1);
            zeilenende = QStringLiteral("\r");
        }
        stueck.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        schreiber.insertText(stueck);
        if (rest <= 0 && !strom.atEnd())
            CQCat::gib_instanz()->warn(
                CQString(CGBrowserEx::tr("Bericht '%1' nur bis %2 Zeichen angezeigt: er ist gewachsen, seit er "
                                         "geöffnet wurde")
                             .arg(maskiere_steuerzeichen(eingabe.fileName()))
                             .arg(groesste_berichtsdatei(eingabe.fileName()))));
        return ende;
    }

    std::unique_ptr<QTextDocument> dokument = std::make_unique<QTextDocument>();

private:
    CQIODatei eingabe;
    qint64 rest;
    QTextCursor schreiber{dokument.get()};
    QString zeilenende;
};

CGBrowserEx::CGBrowserEx(QWidget* eltern) : QTextBrowser(eltern)
{
    setOpenLinks(false);
    setOpenExternalLinks(true);
    verlasse_per_strg_tab(this);
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

CGBrowserEx::~CGBrowserEx() = default;

bool CGBrowserEx::laedt() const
{
    return lader != nullptr;
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
    auto neu = std::make_unique<Textlader>(std::exchange(ausstehend, QString()));
    if (!neu->oeffne()) {
        document()->clear();
        return;
    }
    if (neu->lies_stueck()) {
        zeige_geladen(neu->dokument.release());
        return;
    }
    lader = std::move(neu);
    QTimer::singleShot(0, this, [this, nummer = ++ladenummer] { lies_weiter(nummer); });
}

void CGBrowserEx::lies_weiter(unsigned nummer)
{
    // A load ended by another source leaves its last turn behind.
    if (!lader || nummer != ladenummer)
        return;
    if (!lader->lies_stueck()) {
        QTimer::singleShot(0, this, [this, nummer] { lies_weiter(nummer); });
        return;
    }
    beende_lader();
}

void CGBrowserEx::lade_zu_ende()
{
    // One the history asked for may not have started yet.
    lade_ausstehenden_bericht();
    if (!lader)
        return;
    while (!lader->lies_stueck()) {
    }
    beende_lader();
}

void CGBrowserEx::beende_lader()
{
    const std::unique_ptr<Textlader> fertig = std::move(lader);
    zeige_geladen(fertig->dokument.release());
}

void CGBrowserEx::zeige_geladen(QTextDocument* dokument)
{
    QTextDocument* const alt = document();
    dokument->setParent(this);
    dokument->setDefaultFont(alt->defaultFont());
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
}

CQString CGBrowserEx::gib_html() const
{
    return CQString(document()->toHtml(QByteArrayLiteral("utf-8")));
}

QVariant CGBrowserEx::loadResource(int typ, const QUrl& name)
{
    // Resolved against the page shown, "file:" addresses with a relative path too.
    const QUrl adresse = source().isRelative() ? name : loese_link_auf(source(), name);
    const QString datei = adresse.isLocalFile() ? lokaler_pfad(adresse)
                          : adresse.scheme().isEmpty() ? adresse.path()
                                                       : QString();
    if (typ == QTextDocument::HtmlResource) {
        // The page gets another source: a load still running is of no use any more.
        lader.reset();
        ausstehend.clear();
    }
    if (!QFileInfo(datei).isAbsolute())
        return QTextBrowser::loadResource(typ, name);
    if (typ == QTextDocument::HtmlResource && ist_textbericht(datei)) {
        ausstehend = datei;
        // The history reaches here passing by `setSource`.
        QTimer::singleShot(0, this, &CGBrowserEx::lade_ausstehenden_bericht);
        return tr("Der Bericht wird geladen ...");
    }
    QFile inhalt(datei);
    const bool seite = typ == QTextDocument::HtmlResource;
    if (oeffne_regulaere_datei(inhalt, QIODevice::ReadOnly)) {
        if (inhalt.size() <= groesste_berichtsdatei(datei, seite))
            return seite ? QVariant(html_aus_bytes(inhalt.readAll())) : QVariant(inhalt.readAll());
        CQCat::gib_instanz()->warn(
            CQString(tr("Datei '%1' ist zu groß für die Seite").arg(maskiere_steuerzeichen(datei))));
        return QVariant(QByteArray(""));
    }
    // An empty resource, not a null one: the document would then try the file itself. A missing
    // or unreadable file fails there at once, as before.
    return errno == EINVAL ? QVariant(QByteArray("")) : QVariant();
}

CQString CGBrowserEx::lies_quelldatei() const
{
    if (ist_textbericht(quelle))
        return CQString(textbericht_als_html(quelle));
    QFile datei(quelle);
    if (!oeffne_regulaere_datei(datei, QIODevice::ReadOnly) || datei.size() > groesste_berichtsdatei(quelle, true))
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
    case Linkart::Anker:
        // The shell would take it for a file of its own.
        scrollToAnchor(text.mid(1));
        return true;
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
    if (bericht_fehlt(ziel.datei) || bericht_zu_gross(ziel.datei, true))
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
