#include "html.h"
#include "allg.h"

namespace {

// Constant-initialised: messages may be built during start-up.
const char* const farbe_fehler = "#b20000";
const char* const farbe_warnung = "#b36b3f";
const char* const farbe_normal = "#000000";
const char* const farbe_debug = "#999999";

std::string span(const std::string& farbe, const std::string& text)
{
    return "<span style=\"color:" + farbe + "\">" + text + "</span>";
}

} // namespace

CQString html_maskiere(const CQString& text)
{
    if (text.isEmpty())
        return CQString("&nbsp;");
    // One pass: every log line shown in a protocol window goes through here. What is replaced,
    // checked at each place in this order: "&", ">=", "<=", "<", ">", a double quote, the two
    // characters backslash and "n" (a line break written as text), and the accented letters.
    const auto ersatz = [](QChar c, QChar naechstes, int& laenge) -> const char* {
        laenge = 1;
        switch (c.unicode()) {
        case u'&': return "&amp;";
        case u'>': return naechstes == u'=' ? (laenge = 2, "&ge;") : "&gt;";
        case u'<': return naechstes == u'=' ? (laenge = 2, "&le;") : "&lt;";
        case u'"': return "&quot;";
        case u'\\': return naechstes == u'n' ? (laenge = 2, "<br>") : nullptr;
        case u'\u00e9': return "&#233;";
        case u'\u00c9': return "&#201;";
        case u'\u00e4': return "&auml;";
        case u'\u00c4': return "&Auml;";
        case u'\u00f6': return "&ouml;";
        case u'\u00d6': return "&Ouml;";
        case u'\u00fc': return "&uuml;";
        case u'\u00dc': return "&Uuml;";
        case u'\u00df': return "&szlig;";
        default: return nullptr;
        }
    };
    QString s;
    int kopiert = 0;
    for (int i = 0; i < text.size();) {
        int laenge = 1;
        const char* neu = ersatz(text.at(i), i + 1 < text.size() ? text.at(i + 1) : QChar(), laenge);
        if (!neu) {
            ++i;
            continue;
        }
        if (s.isNull())
            s.reserve(text.size() + 16);
        s.append(text.constData() + kopiert, i - kopiert).append(QLatin1String(neu));
        i += laenge;
        kopiert = i;
    }
    if (s.isNull())
        return text;
    s.append(text.constData() + kopiert, text.size() - kopiert);
    return CQString(s);
}

CQString html_farbtext(const int& level, const CQString& text, bool mit_umbruch)
{
    const std::string farbe = level == 0   ? farbe_normal
                              : level == 1 ? farbe_warnung
                              : level == 3 ? farbe_debug
                                           : farbe_fehler;
    QString s = QLatin1String("<span style=\"color:") + QLatin1String(farbe.c_str())
                + QLatin1String("\">") + html_maskiere(text) + QLatin1String("</span>");
    if (mit_umbruch)
        s += QLatin1String("<br>");
    return CQString(s);
}

std::string html_fehler(const std::string& text) { return span(farbe_fehler, text); }
std::string html_fehler_br(const std::string& text) { return html_fehler(text) + "<br>"; }
std::string html_warnung(const std::string& text) { return span(farbe_warnung, text); }
std::string html_warnung_br(const std::string& text) { return html_warnung(text) + "<br>"; }
std::string html_schwarz(const std::string& text) { return span(farbe_normal, text); }
std::string html_schwarz_br(const std::string& text) { return html_schwarz(text) + "<br>"; }
std::string html_grau(const std::string& text) { return span(farbe_debug, text); }
std::string html_grau_br(const std::string& text) { return html_grau(text) + "<br>"; }

std::string farbe_zu_html(const unsigned char& rot, const unsigned char& gruen, const unsigned char& blau)
{
    std::string s = "#000000";
    const unsigned char teile[] = {rot, gruen, blau};
    for (int i = 0; i < 3; ++i) {
        s[1 + 2 * i] = itohex(teile[i] >> 4);
        s[2 + 2 * i] = itohex(teile[i] & 0x0F);
    }
    return s;
}

std::string gib_farbe_fehler() { return farbe_fehler; }
std::string gib_farbe_warnung() { return farbe_warnung; }
