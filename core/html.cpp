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
    static const struct
    {
        const char16_t* alt;
        const char* neu;
    } ersetzungen[] = {
        {u"&", "&amp;"},     {u">=", "&ge;"},     {u"<=", "&le;"},     {u"<", "&lt;"},
        {u">", "&gt;"},      {u"\"", "&quot;"},   {u"\\n", "<br>"},    {u"\u00e9", "&#233;"},
        {u"\u00c9", "&#201;"}, {u"\u00e4", "&auml;"}, {u"\u00c4", "&Auml;"}, {u"\u00f6", "&ouml;"},
        {u"\u00d6", "&Ouml;"}, {u"\u00fc", "&uuml;"}, {u"\u00dc", "&Uuml;"}, {u"\u00df", "&szlig;"},
    };
    QString s = text;
    for (const auto& e : ersetzungen)
        s.replace(QString::fromUtf16(e.alt), QLatin1String(e.neu), Qt::CaseSensitive);
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
