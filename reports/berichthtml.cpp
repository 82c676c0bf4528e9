#include "berichthtml.h"
#include "cqiodatei.h"
#include "verzeichnisse.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {

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

bool schreibe_berichtshtml(const QString& datei, const QString& html)
{
    CQIODatei ausgabe{CQString(datei)};
    if (!ausgabe.oeffne(false, true, true, false, true))
        return false;
    ausgabe.setze_utf8_bom(false);
    // A page that says it is UTF-8 must be UTF-8, or its readers garble every umlaut; a page the
    // code page cannot hold becomes UTF-8 and says so, or its characters become "?".
    const bool passt = CQIODatei::passt_in_codepage(html);
    if (!passt || html.contains(QLatin1String("charset=utf-8"), Qt::CaseInsensitive))
        ausgabe.gib_stream()->setCodec("UTF-8");
    ausgabe.schreibe_zeile(CQString(passt ? html : deklariere_utf8(html)));
    return ausgabe.schliesse();
}

QString deklariere_utf8(QString html)
{
    static const QRegularExpression meta(QStringLiteral("<meta\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    // "charset=x" in a content attribute, `charset="x"` as an attribute of its own.
    static const QRegularExpression zeichensatz(QStringLiteral("charset\\s*=\\s*([\"']?)[^\\s\"'>;/]+\\1"),
                                                QRegularExpression::CaseInsensitiveOption);
    bool deklariert = false;
    for (int von = 0;;) {
        const QRegularExpressionMatch treffer = meta.match(html, von);
        if (!treffer.hasMatch())
            break;
        QString element = treffer.captured();
        if (element.contains(zeichensatz)) {
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
