// The listing of an archive: its entries as HTML tables in the log window.
#include "ziplauf.h"

#include <limits>

namespace importzip {

bool CZipLauf::liste()
{
    if (log) {
        log->neue_titelzeile(CQString(Text::tr("Inhaltsverzeichnis ZIP Archiv")));
        gesamt();
    }
    // The listing goes out as tables of a slice of rows each, the header in the first: the window
    // appends each in one step and shows them as one table, where a single table of all rows
    // held it up for the whole listing.
    constexpr quint64 zeilen_je_tabelle = 256;
    QString html = QStringLiteral("<tr><td>") + Text::tr("Größe") + QLatin1String("</td><td>")
                   + Text::tr("Größe komp.") + QLatin1String("</td><td>") + Text::tr("Ratio")
                   + QLatin1String("</td><td>") + Text::tr("Datum") + QLatin1String("</td><td>") + Text::tr("Zeit")
                   + QLatin1String("</td><td>") + Text::tr("Name") + QLatin1String("</td></tr>");
    const auto sende = [this, &html](bool letzte) {
        const QLatin1String umbruch(letzte ? "<br/>" : "");
        textzeile(html.isEmpty() ? umbruch : QLatin1String("<table border=1>") + html + QLatin1String("</table>") + umbruch);
        html.clear();
    };
    const auto zwei = [](int wert) { return QStringLiteral("%1").arg(wert, 2, 10, QLatin1Char('0')); };
    CZipEintrag eintrag;
    for (quint64 k = 1; k <= anzahl && !abgebrochen(); ++k) {
        int code = archiv.lies_eintrag(eintrag);
        if (code == UNZ_OK) {
            const quint64 gross = eintrag.info.uncompressed_size;
            const quint64 komp = eintrag.info.compressed_size;
            // In 128 bits: a stated compressed size times 100 may not fit in 64.
            const auto ratio128 = gross == 0 ? 0 : static_cast<unsigned __int128>(komp) * 100 / gross;
            const quint64 ratio = quint64(qMin<unsigned __int128>(ratio128, std::numeric_limits<quint64>::max()));
            const tm_unz& d = eintrag.info.tmu_date;
            html += QLatin1String("<tr><td>") + QString::number(gross).rightJustified(7)
                    + QLatin1String("</td><td>") + QString::number(komp).rightJustified(7)
                    + QLatin1String("</td><td>") + QString::number(ratio).rightJustified(3)
                    + QLatin1String("%</td><td>") + zwei(int(d.tm_mday)) + QLatin1Char('.') + zwei(int(d.tm_mon) + 1)
                    + QLatin1Char('.') + zwei(int(d.tm_year % 100)) + QLatin1String("</td><td>")
                    + zwei(int(d.tm_hour)) + QLatin1Char(':') + zwei(int(d.tm_min)) + QLatin1String("</td><td>")
                    + maskiere_steuerzeichen(eintrag.name).toHtmlEscaped() + QLatin1String("</td></tr>");
            if (k < anzahl)
                code = archiv.naechster();
        }
        if (code != UNZ_OK) {
            sende(true);
            melde_zipfehler(code);
            archiv.schliesse();
            fortschritt(anzahl);
            return true;
        }
        if (k % zeilen_je_tabelle == 0 && k < anzahl)
            sende(false);
        fortschritt(k);
    }
    sende(true);
    archiv.schliesse();
    fortschritt(anzahl);
    return true;
}

} // namespace importzip
