#include "oracletext.h"

#include <algorithm>
#include <iterator>

namespace {

struct Ersetzung
{
    QChar zeichen;
    const char16_t* folge;
};

// UTF-8 bytes of each special character, read as Windows-1252.
const Ersetzung ersetzungen[] = {
    {QChar(0x00E4), u"\u00C3\u00A4"}, {QChar(0x00F6), u"\u00C3\u00B6"}, {QChar(0x00FC), u"\u00C3\u00BC"},
    {QChar(0x00C4), u"\u00C3\u201E"}, {QChar(0x00D6), u"\u00C3\u2013"}, {QChar(0x00DC), u"\u00C3\u0153"},
    {QChar(0x00DF), u"\u00C3\u0178"}, {QChar(0x00A7), u"\u00C2\u00A7"}, {QChar(0x00B2), u"\u00C2\u00B2"},
    {QChar(0x00B3), u"\u00C2\u00B3"}, {QChar(0x00B4), u"\u00C2\u00B4"}, {QChar(0x00B5), u"\u00C2\u00B5"},
    {QChar(0x20AC), u"\u00E2\u201A\u00AC"},
};

QString folge(const Ersetzung& ersetzung)
{
    return QString::fromUtf16(ersetzung.folge);
}

} // namespace

bool hat_oracle_sonderzeichen(const QString& text)
{
    for (const Ersetzung& ersetzung : ersetzungen)
        if (text.contains(ersetzung.zeichen))
            return true;
    return false;
}

CQString ersetze_oracle_sonderzeichen(const QString& text)
{
    QString ergebnis;
    ergebnis.reserve(text.size() * 2);
    for (const QChar zeichen : text) {
        const auto* const treffer = std::find_if(std::begin(ersetzungen), std::end(ersetzungen),
                                                 [zeichen](const Ersetzung& e) { return e.zeichen == zeichen; });
        if (treffer != std::end(ersetzungen))
            ergebnis += folge(*treffer);
        else
            ergebnis += zeichen;
    }
    return CQString(ergebnis);
}

CQString repariere_oracle_text(const QString& text)
{
    if (!text.contains(QChar(0x00C2)) && !text.contains(QChar(0x00C3)) && !text.contains(QChar(0x00E2)))
        return CQString(text);
    QString ergebnis;
    ergebnis.reserve(text.size());
    for (int i = 0; i < text.size();) {
        const auto* const treffer = std::find_if(std::begin(ersetzungen), std::end(ersetzungen),
                                                 [&text, i](const Ersetzung& e) {
                                                     return QStringView(text).mid(i).startsWith(folge(e));
                                                 });
        if (treffer != std::end(ersetzungen)) {
            ergebnis += treffer->zeichen;
            i += folge(*treffer).size();
        } else {
            ergebnis += text.at(i);
            ++i;
        }
    }
    return CQString(ergebnis);
}
