#include "cqiozeileexcel.h"
#include "cfehler.h"
#include "klassen.h"

#include <QCoreApplication>

CKlasse* CQIOZeileExcel::klasse = &eintrag_CQIOZeileExcel;

char trennzeichen = ';';

namespace {

// The texts of this file, in the translation context "CQIOZeileExcel" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CQIOZeileExcel)
};

} // namespace

CQIOZeileExcel::CQIOZeileExcel() = default;
CQIOZeileExcel::~CQIOZeileExcel() = default;

bool CQIOZeileExcel::zerlege(const CQString& zeile, const bool& trimmen)
{
    const QString& z = zeile;
    const int n = z.size();
    const QChar trenner = QChar::fromLatin1(trennzeichen);
    const QChar blank(QLatin1Char(' '));
    const QChar tab(QLatin1Char('\t'));
    const QChar anfuehrung(QLatin1Char('"'));

    zellen.clear();
    int pos = 0;
    for (std::size_t k = 0;; ++k) {
        zellen.resize(k + 1);
        QString& zelle = zellen[k];
        if (trimmen)
            while (pos < n && (z[pos] == blank || (trenner != tab && z[pos] == tab)))
                ++pos;
        if (pos < n && z[pos] == anfuehrung) {
            const int schluss = z.indexOf(anfuehrung, pos + 1);
            if (schluss < 0) {
                zelle += z.midRef(pos + 1);
                pos = n + 1;
            } else {
                zelle += z.midRef(pos + 1, schluss - pos - 1);
                pos = schluss + 1;
            }
        }
        if (trimmen)
            while (pos < n && z[pos] == blank)
                ++pos;
        // e: the next separator; t: the blanks and TABs right before it.
        int e = pos;
        int t = 0;
        if (pos < n) {
            for (; e < n && z[e] != trenner; ++e)
                t = (z[e] == blank || z[e] == tab) ? t + 1 : 0;
        }
        zelle += z.midRef(pos, (trimmen ? e - t : e) - pos);
        pos = e + 1;
        if (pos > n)
            break;
    }
    return true;
}

CQString CQIOZeileExcel::gib_element(const int& index) const
{
    if (zellen.empty())
        throw CQFehler(0, klasse, CQString("gib_element"), CQString(Text::tr("Es sind keine Elemente enthalten!")));
    if (static_cast<unsigned>(index) >= zellen.size())
        throw CQFehler(0, klasse, CQString("gib_element"),
                       CQString(Text::tr("Index %1 nicht zulaessig! Erlaubter Indexbereich: 0 bis %2")
                                    .arg(index)
                                    .arg(static_cast<int>(zellen.size()) - 1)));
    return zellen[static_cast<std::size_t>(index)];
}

void CQIOZeileExcel::ausgabe(std::ostream& os) const
{
    for (const CQString& zelle : zellen) {
        const QByteArray latin1 = zelle.toLatin1();
        os.write(latin1.constData(), latin1.size());
        os << "***" << std::endl;
    }
}
