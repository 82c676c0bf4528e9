#include "berichthtml.h"
#include "cqiodatei.h"
#include "verzeichnisse.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTextCodec>
#include <QTextStream>
#include <QUrl>

namespace {

// The MIB number of UTF-8.
constexpr int utf8_mib = 106;

// Removes, from the end of the text towards its start, every piece that begins with `anfang`
// (in any case) and ends where `ende` says: the position after the piece, or -1 when the piece
// has no end, which ends the step.
template <typename Ende>
void entferne_stuecke(QString& html, const QString& anfang, Ende ende)
{
    int von = html.size() - 1;
    while (von >= 0) {
        const int pos = html.lastIndexOf(anfang, von, Qt::CaseInsensitive);
        if (pos < 0)
            return;
        const int bis = ende(html, pos + anfang.size());
        if (bis < 0)
            return;
        html.remove(pos, bis - pos);
        von = pos - 1;
    }
}

// `element` where a reader looks first: right after the opening head tag; without a head after
// the html tag or the document type, so that it still comes before the content; else in front.
QString fuege_in_kopf_ein(QString html, const QString& element)
{
    for (const char* tag : {"<head\\b[^>]*>", "<html\\b[^>]*>", "<!doctype\\b[^>]*>"}) {
        const QRegularExpressionMatch treffer =
            QRegularExpression(QLatin1String(tag), QRegularExpression::CaseInsensitiveOption).match(html);
        if (treffer.hasMatch())
            return html.insert(treffer.capturedEnd(), element);
    }
    return html.prepend(element);
}

// A meta element, or a comment, in which a meta element declares nothing, as no browser reads it.
const QRegularExpression& meta_element()
{
    static const QRegularExpression meta(QStringLiteral("<!--.*?-->|<meta\\b[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return meta;
}

bool ist_kommentar(const QString& element)
{
    return element.startsWith(QLatin1String("<!--"));
}

// "charset=x" in a content attribute, `charset="x"` as an attribute of its own, blanks around the
// "=" allowed; the second group is the name.
const QRegularExpression& zeichensatz_angabe()
{
    static const QRegularExpression zeichensatz(QStringLiteral("charset\\s*=\\s*([\"']?)([^\\s\"'>;/]+)\\1"),
                                                QRegularExpression::CaseInsensitiveOption);
    return zeichensatz;
}

// The character set the first meta element that names one names ("utf-8" for
// `<meta charset='UTF-8'>` as for "content='text/html; charset = utf-8'"); empty when none does.
QString erklaerter_zeichensatz(const QString& html)
{
    for (auto elemente = meta_element().globalMatch(html); elemente.hasNext();) {
        const QString element = elemente.next().captured();
        const QRegularExpressionMatch angabe = ist_kommentar(element) ? QRegularExpressionMatch() : zeichensatz_angabe().match(element);
        if (angabe.hasMatch())
            return angabe.captured(2);
    }
    return QString();
}

} // namespace

QString mache_dateiverweise_relativ(QString html, const QStringList& dateien, bool ohne_punkt)
{
    for (const QString& datei : dateien) {
        if (datei.isEmpty())
            continue;
        const QString name = QFileInfo(datei).fileName();
        const QString relativ = QStringLiteral("./") + name;
        QString pfad = datei;
        pfad.replace(QLatin1Char('\\'), QLatin1Char('/'));
        // "file:///C:/x" on Windows, "file:///x" (= "file://" + "/x") here.
        for (const char* form : {"file:///", "file://", "file:", ""})
            html.replace(QLatin1String(form) + pfad, relativ);
        if (ohne_punkt && name.startsWith(QLatin1Char('.')))
            html.replace(relativ, QStringLiteral("./") + name.mid(1));
    }
    return html;
}

bool schreibe_berichtshtml(const QString& datei, const QString& html, QString* grund)
{
    CQIODatei ausgabe{CQString(datei)};
    const auto gescheitert = [&] {
        if (grund)
            *grund = ausgabe.gib_fehlertext();
        return false;
    };
    if (!ausgabe.oeffne(false, true, true, false, true))
        return gescheitert();
    ausgabe.setze_utf8_bom(false);
    // A saved page must be in the code it declares, however the declaration is written, or its
    // readers garble every character beyond ASCII. The code page serves only a page that
    // declares it or nothing and that it holds whole; any other page is written in UTF-8 and
    // says so, or its characters would become "?".
    QTextStream& strom = *ausgabe.gib_stream();
    const QString name = erklaerter_zeichensatz(html);
    QTextCodec* const erklaert = name.isEmpty() ? nullptr : QTextCodec::codecForName(name.toLatin1());
    const bool utf8 = erklaert && erklaert->mibEnum() == utf8_mib;
    const bool codepage = strom.codec()->mibEnum() != utf8_mib && (name.isEmpty() || erklaert == strom.codec())
                          && CQIODatei::passt_in_codepage(html);
    if (!codepage)
        strom.setCodec("UTF-8");
    ausgabe.schreibe_zeile(CQString(codepage || utf8 ? html : deklariere_utf8(html)));
    return ausgabe.schliesse() || gescheitert();
}

QString html_aus_bytes(const QByteArray& daten)
{
    if (QTextCodec* const marke = QTextCodec::codecForUtfText(daten, nullptr))
        return marke->toUnicode(daten);
    // Without a mark the bytes of the markup are ASCII in every code a page may declare: the
    // declaration reads the same in Latin-1, wherever and however it is written. A page so read
    // cannot be in UTF-16 or UTF-32, whatever it says: it is taken for UTF-8, as browsers do.
    const QString name = erklaerter_zeichensatz(QString::fromLatin1(daten));
    QTextCodec* erklaert = name.isEmpty() ? nullptr : QTextCodec::codecForName(name.toLatin1());
    if (erklaert && (erklaert->name().startsWith("UTF-16") || erklaert->name().startsWith("UTF-32")))
        erklaert = QTextCodec::codecForMib(utf8_mib);
    return (erklaert ? erklaert : CQIODatei::codec_von(daten))->toUnicode(daten);
}

QString deklariere_utf8(QString html)
{
    const QRegularExpression& meta = meta_element();
    const QRegularExpression& zeichensatz = zeichensatz_angabe();
    bool deklariert = false;
    for (int von = 0;;) {
        const QRegularExpressionMatch treffer = meta.match(html, von);
        if (!treffer.hasMatch())
            break;
        QString element = treffer.captured();
        if (!ist_kommentar(element) && element.contains(zeichensatz)) {
            element.replace(zeichensatz, QStringLiteral("charset=utf-8"));
            html.replace(treffer.capturedStart(), treffer.capturedLength(), element);
            deklariert = true;
        }
        von = treffer.capturedStart() + element.size();
    }
    if (deklariert)
        return html;
    return fuege_in_kopf_ein(html, QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"));
}

QString mit_basisordner(QString html, const QString& ordner)
{
    // Encoded, the address holds no quote or blank that could end the attribute.
    const QString adresse = QUrl::fromLocalFile(ordner + QLatin1Char('/')).toString(QUrl::FullyEncoded);
    return fuege_in_kopf_ein(html, QStringLiteral("<base href=\"") + adresse + QStringLiteral("\">"));
}

QString bereite_html_fuer_druck(QString html)
{
    entferne_stuecke(html, QStringLiteral("bgcolor=\""), [](const QString& text, int nach) {
        const int quote = text.indexOf(QLatin1Char('"'), nach);
        return quote < 0 ? -1 : quote + 1;
    });
    html.replace(QLatin1String(" color=\"#FFFFFF\""), QLatin1String(" color=\"#000000\""), Qt::CaseInsensitive);
    // A last declaration has no ";": it ends at the attribute's closing quote, which stays.
    entferne_stuecke(html, QStringLiteral("background-color:"), [](const QString& text, int nach) {
        for (int i = nach; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char(';'))
                return i + 1;
            if (c == QLatin1Char('"') || c == QLatin1Char('\''))
                return i;
        }
        return -1;
    });
    html.replace(QLatin1String("color:#ffffff;"), QLatin1String("color:#000000;"), Qt::CaseInsensitive);

    const QString relativ = suche_logo(QString(), false, false, true);
    if (relativ.startsWith(QLatin1String("./")))
        html.replace(relativ, suche_logo(QString(), false, false, false));
    return html;
}
