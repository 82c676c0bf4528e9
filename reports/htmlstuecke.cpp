#include "htmlstuecke.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

bool ist_einer(const QString& name, const QSet<QString>& namen)
{
    return namen.contains(name);
}

const QSet<QString>& leere_elemente()
{
    static const QSet<QString> namen{"area", "base", "basefont", "br", "col", "embed", "frame", "hr", "img",
                                     "input", "isindex", "keygen", "link", "meta", "param", "source", "track", "wbr"};
    return namen;
}

// Elements whose text is no markup: read to their end tag.
const QSet<QString>& rohtext_elemente()
{
    static const QSet<QString> namen{"script", "style", "title", "textarea", "xmp"};
    return namen;
}

// Elements that start a paragraph of their own; a piece may end before them.
const QSet<QString>& block_elemente()
{
    static const QSet<QString> namen{"p",  "div", "table", "pre", "ul", "ol", "dl", "h1", "h2", "h3",  "h4", "h5",
                                     "h6", "hr",  "blockquote", "center", "address", "li"};
    return namen;
}

// Elements a cut may lie in, opened again in the next piece.
const QSet<QString>& schneidbare_elemente()
{
    static const QSet<QString> namen{"html", "body", "div", "center", "blockquote", "table", "tbody", "tfoot", "pre",
                                     "ul", "dl", "p", "span", "font", "b", "i", "u", "em", "strong", "a", "code",
                                     "tt", "big", "small", "sub", "sup", "s", "strike", "nobr", "address", "section",
                                     "article", "main", "header", "footer", "nav", "form", "label", "cite", "q",
                                     "var", "kbd", "samp", "dfn", "abbr", "acronym"};
    return namen;
}

// Elements with margins of their own above and below, which a cut takes away.
const QSet<QString>& elemente_mit_rand()
{
    static const QSet<QString> namen{"p", "pre", "ul", "dl", "div", "blockquote", "center", "address"};
    return namen;
}

bool ist_tabelle(const QString& name)
{
    return name == QLatin1String("table") || name == QLatin1String("tbody") || name == QLatin1String("tfoot");
}

bool ist_namenszeichen(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(':');
}

} // namespace

CHtmlStuecke::CHtmlStuecke(const QString& html, int ziel_, int zellen_je_teil_)
    : quelle(html), ziel(qMax(1, ziel_)), zellen_je_teil(qMax(1, zellen_je_teil_))
{
}

bool CHtmlStuecke::naechstes(Stueck& stueck)
{
    const int n = quelle.size();
    if (!erstes && anfang >= n)
        return false;
    while (pos < n) {
        const int lt = quelle.indexOf(QLatin1Char('<'), pos);
        const int text_ende = lt < 0 ? n : lt;
        // A long "<pre>" block is cut before one of its line ends, which the next piece begins
        // with: the parser drops a line end right after the start tag.
        if (text_ende - anfang > ziel && in_pre() && schnitt_erlaubt()) {
            const int zeilenende = quelle.indexOf(QLatin1Char('\n'), qMax(pos, anfang + ziel));
            if (zeilenende >= 0 && zeilenende < text_ende) {
                stueck = schneide(zeilenende, zeilenende);
                pos = zeilenende + 1;
                return true;
            }
        }
        if (lt < 0)
            break;
        pos = lt;
        if (lt + 1 < n && quelle.at(lt + 1).isLetter()) {
            int ende = 0;
            const QString name = lies_name(lt + 1, ende);
            schliesse_implizit(name);
            if (lt > anfang && soll_schneiden(name) && schnitt_erlaubt()) {
                // A line break at a cut goes: the paragraph's end stands in for it.
                const bool umbruch = name == QLatin1String("br");
                const int weiter = umbruch ? lies_start_tag(lt) : lt;
                stueck = schneide(lt, weiter);
                pos = weiter;
                return true;
            }
        }
        pos = lies_tag(lt);
    }
    stueck = schneide(n, n);
    return true;
}

QString CHtmlStuecke::lies_name(int von, int& ende) const
{
    ende = von;
    while (ende < quelle.size() && ist_namenszeichen(quelle.at(ende)))
        ++ende;
    return quelle.mid(von, ende - von).toLower();
}

int CHtmlStuecke::lies_tag(int lt)
{
    const int n = quelle.size();
    if (quelle.midRef(lt, 4) == QLatin1String("<!--")) {
        const int ende = quelle.indexOf(QLatin1String("-->"), lt + 4);
        return ende < 0 ? n : ende + 3;
    }
    if (lt + 1 >= n)
        return n;
    const QChar zweites = quelle.at(lt + 1);
    if (zweites == QLatin1Char('!') || zweites == QLatin1Char('?')) {
        const int ende = quelle.indexOf(QLatin1Char('>'), lt);
        return ende < 0 ? n : ende + 1;
    }
    if (zweites == QLatin1Char('/'))
        return lies_end_tag(lt);
    if (zweites.isLetter())
        return lies_start_tag(lt);
    return lt + 1;
}

int CHtmlStuecke::lies_start_tag(int lt)
{
    const int n = quelle.size();
    int i = 0;
    const QString name = lies_name(lt + 1, i);
    // To the ">" outside a quoted value.
    QChar zitat;
    QChar letztes;
    for (; i < n; ++i) {
        const QChar c = quelle.at(i);
        if (!zitat.isNull()) {
            if (c == zitat)
                zitat = QChar();
        } else if (c == QLatin1Char('>')) {
            break;
        } else if ((c == QLatin1Char('"') || c == QLatin1Char('\'')) && letztes == QLatin1Char('=')) {
            zitat = c;
        }
        if (!c.isSpace())
            letztes = c;
    }
    const int tag_ende = qMin(n, i + 1);
    const bool selbst_geschlossen = tag_ende >= 2 && quelle.at(tag_ende - 2) == QLatin1Char('/');
    const int schluss = ist_einer(name, rohtext_elemente()) ? rohtext_ende(name, tag_ende) : tag_ende;
    // A style sheet outside the head holds for the rest of the page: the later pieces take it too.
    const bool im_kopf = std::any_of(offen.begin(), offen.end(), [](const Offen& e) { return e.name == QLatin1String("head"); });
    if ((name == QLatin1String("style") || name == QLatin1String("link")) && !im_kopf)
        stile += quelle.midRef(lt, schluss - lt);
    if (schluss != tag_ende)
        return schluss;
    // A picture takes the layout about as long as five cells of text.
    const bool zelle = name == QLatin1String("td") || name == QLatin1String("th");
    const int gewicht = zelle ? 1 : name == QLatin1String("img") ? 5 : 0;
    for (int k = offen.size() - 1; (gewicht > 0 || name == QLatin1String("tr")) && k >= 0; --k) {
        if (offen[k].name == QLatin1String("table")) {
            Offen& tabelle = offen[k];
            tabelle.zellen += gewicht;
            if (!zelle && gewicht == 0)
                ++tabelle.zeile;
            else if (zelle)
                tabelle.letzte_ueberspannte = qMax(tabelle.letzte_ueberspannte, tabelle.zeile + zeilenspanne(lt, tag_ende) - 1);
            break;
        }
    }
    if (!selbst_geschlossen && !ist_einer(name, leere_elemente()))
        offen.append({name, lt, tag_ende});
    return tag_ende;
}

int CHtmlStuecke::zeilenspanne(int von, int bis) const
{
    static const QRegularExpression spanne(QStringLiteral("\\browspan\\s*=\\s*[\"']?\\s*(\\d*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch treffer = spanne.match(quelle.midRef(von, bis - von));
    if (!treffer.hasMatch())
        return 1;
    // "0" (to the section's end) or a span too large to count: the rest of the table.
    const int zeilen = treffer.capturedRef(1).toInt();
    return zeilen > 0 ? zeilen : std::numeric_limits<int>::max() / 2;
}

int CHtmlStuecke::rohtext_ende(const QString& name, int von) const
{
    const int n = quelle.size();
    int ende = von;
    for (;;) {
        ende = quelle.indexOf(QLatin1String("</") + name, ende, Qt::CaseInsensitive);
        if (ende < 0 || ende + 2 + name.size() >= n || !ist_namenszeichen(quelle.at(ende + 2 + name.size())))
            break;
        ++ende;
    }
    if (ende < 0)
        return n;
    const int schluss = quelle.indexOf(QLatin1Char('>'), ende);
    return schluss < 0 ? n : schluss + 1;
}

int CHtmlStuecke::lies_end_tag(int lt)
{
    const int n = quelle.size();
    int i = 0;
    const QString name = lies_name(lt + 2, i);
    const int ende = quelle.indexOf(QLatin1Char('>'), i);
    const int weiter = ende < 0 ? n : ende + 1;
    if (name == QLatin1String("head")) {
        for (int k = offen.size() - 1; k >= 0; --k) {
            if (offen[k].name == QLatin1String("head")) {
                kopf = quelle.mid(offen[k].tag_anfang, weiter - offen[k].tag_anfang);
                break;
            }
        }
    }
    schliesse_bis(name);
    return weiter;
}

void CHtmlStuecke::schliesse_bis(const QString& name)
{
    for (int k = offen.size() - 1; k >= 0; --k) {
        if (offen[k].name == name) {
            offen.resize(k);
            return;
        }
    }
}

void CHtmlStuecke::schliesse_implizit(const QString& name)
{
    // The outermost open element of `namen` below the closest one of `grenzen` is closed with
    // everything inside it: a row whose cell was left open too (end tags of rows and cells may
    // be left out), where only the cell was closed, the row stayed open, and its table was never
    // cut, however long.
    const auto schliesse = [this](const QSet<QString>& namen, const QSet<QString>& grenzen) {
        int aeusserstes = -1;
        for (int k = offen.size() - 1; k >= 0 && !grenzen.contains(offen[k].name); --k)
            if (namen.contains(offen[k].name))
                aeusserstes = k;
        if (aeusserstes >= 0)
            offen.resize(aeusserstes);
    };
    static const QSet<QString> tabellengrenze{"table", "html"};
    if (name == QLatin1String("tr")) {
        schliesse({"tr", "td", "th"}, {"table", "tbody", "thead", "tfoot", "html"});
    } else if (name == QLatin1String("td") || name == QLatin1String("th")) {
        schliesse({"td", "th"}, {"tr", "table", "html"});
    } else if (name == QLatin1String("tbody") || name == QLatin1String("thead") || name == QLatin1String("tfoot")) {
        schliesse({"tbody", "thead", "tfoot", "tr", "td", "th"}, tabellengrenze);
    } else if (name == QLatin1String("li")) {
        schliesse({"li"}, {"ul", "ol", "td", "th", "html"});
    } else if (name == QLatin1String("dt") || name == QLatin1String("dd")) {
        schliesse({"dt", "dd"}, {"dl", "td", "th", "html"});
    } else if (name == QLatin1String("body")) {
        if (!offen.isEmpty() && offen.last().name == QLatin1String("head")) {
            kopf = quelle.mid(offen.last().tag_anfang, pos - offen.last().tag_anfang) + QLatin1String("</head>");
            offen.removeLast();
        }
    }
    if (ist_einer(name, block_elemente()) && name != QLatin1String("li"))
        schliesse({"p"}, {"td", "th", "table", "caption", "li", "html"});
}

bool CHtmlStuecke::in_pre() const
{
    return std::any_of(offen.begin(), offen.end(), [](const Offen& element) { return element.name == QLatin1String("pre"); });
}

bool CHtmlStuecke::schnitt_erlaubt() const
{
    for (const Offen& element : offen)
        if (!ist_einer(element.name, schneidbare_elemente()))
            return false;
    return true;
}

bool CHtmlStuecke::soll_schneiden(const QString& name) const
{
    const QString innen = offen.isEmpty() ? QString() : offen.last().name;
    const bool lang = pos - anfang >= ziel;
    if (name == QLatin1String("tr")) {
        if (!ist_tabelle(innen))
            return false;
        for (int k = offen.size() - 1; k >= 0; --k)
            if (offen[k].name == QLatin1String("table"))
                return (lang || offen[k].zellen >= zellen_je_teil) && offen[k].letzte_ueberspannte <= offen[k].zeile;
        return false;
    }
    if (ist_tabelle(innen))
        return false;
    if (name == QLatin1String("li"))
        return lang && innen == QLatin1String("ul");
    return lang && (name == QLatin1String("br") || ist_einer(name, block_elemente()));
}

QString CHtmlStuecke::wieder_geoeffnet(const Offen& element, bool oben, bool unten) const
{
    QString tag = quelle.mid(element.tag_anfang, element.tag_ende - element.tag_anfang);
    if (!ist_einer(element.name, elemente_mit_rand()) || (!oben && !unten) || !tag.endsWith(QLatin1Char('>')))
        return tag;
    // A second style attribute adds to the first.
    QString stil = QStringLiteral(" style=\"");
    if (oben)
        stil += QLatin1String("margin-top:0;");
    if (unten)
        stil += QLatin1String("margin-bottom:0;");
    tag.insert(tag.size() - 1, stil + QLatin1Char('"'));
    return tag;
}

CHtmlStuecke::Stueck CHtmlStuecke::schneide(int bis, int weiter)
{
    QSet<int> bleiben_offen;
    for (const Offen& element : qAsConst(offen))
        bleiben_offen.insert(element.tag_anfang);
    Stueck stueck;
    QString& html = stueck.html;
    if (!erstes) {
        const QString kopf_mit_stilen = kopf + stile;
        bool mit_kopf = kopf_mit_stilen.isEmpty();
        for (const Offen& element : qAsConst(offen_am_anfang)) {
            if (!mit_kopf && element.name != QLatin1String("html")) {
                html += kopf_mit_stilen;
                mit_kopf = true;
            }
            html += wieder_geoeffnet(element, true, bleiben_offen.contains(element.tag_anfang));
            stueck.tabelle_geht_weiter = stueck.tabelle_geht_weiter || element.name == QLatin1String("table");
        }
        if (!mit_kopf)
            html += kopf_mit_stilen;
    }
    // The elements begun in this piece that go on in the next lose their margin below.
    int von = anfang;
    for (const Offen& element : qAsConst(offen)) {
        if (element.tag_anfang < anfang || element.tag_ende > bis || element.tag_ende <= von)
            continue;
        const QString geoeffnet = wieder_geoeffnet(element, false, true);
        html += quelle.midRef(von, element.tag_anfang - von);
        html += geoeffnet;
        von = element.tag_ende;
    }
    html += quelle.midRef(von, bis - von);

    offen_am_anfang = offen;
    for (int k = offen_am_anfang.size() - 1; k >= 0; --k) {
        if (offen_am_anfang[k].name == QLatin1String("table")) {
            offen[k].zellen = 0;
            break;
        }
    }
    anfang = weiter;
    erstes = false;
    return stueck;
}
