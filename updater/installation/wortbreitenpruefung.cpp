// The word-size check of an archive: its top-level programs against the system's word size, read without being written.
#include "ziplauf.h"
#include "ccat.h"
#include "dateien.h"
#include "entpacken.h"
#include "wortbreite.h"

#include <QDir>

namespace importzip {

bool CZipLauf::pruefe_wortbreite()
{
    const QString ueberschrift = Text::tr("Prüfen Bitness ZIP Archiv");
    melde(5, ueberschrift);
    if (log) {
        log->neue_titelzeile(CQString(ueberschrift));
        gesamt();
    }
    const int zielbits = zielsystem_ist_64bit() ? 64 : 32;
    CQCat::gib_instanz()->info(CQString(QDir::tempPath()));
    bool ergebnis = true;
    CZipEintrag eintrag;
    QByteArray anfang;
    // The current entry: a program at the top level must be built for the target's word size.
    const auto pruefe_eintrag = [&] {
        const QString klein = eintrag.name.toLower();
        if (!(klein.endsWith(QLatin1String(".exe")) || klein.endsWith(QLatin1String(".dll")))
            || klein.contains(QLatin1Char('/')))
            return;
        const QString anzeige = maskiere_steuerzeichen(eintrag.name);
        // Nothing is written: the first bytes are probed while the entry is read through.
        QString temp = anzeige;
        temp.replace(QLatin1String(".exe"), QLatin1String(".tmpe"), Qt::CaseInsensitive);
        temp.replace(QLatin1String(".dll"), QLatin1String(".tmpd"), Qt::CaseInsensitive);
        CQCat::gib_instanz()->info(CQString(QStringLiteral("Test '%1' in '%2'").arg(anzeige, temp)));
        const int code = lies_eintrag_anfang(archiv.gib_handle(), eintrag, pe_pruefbereich, anfang, pruefpuffer);
        if (code != ENTPACK_OK) {
            melde(2, Text::tr("Fehler bei Entpacken von %1 : %2").arg(anzeige, gib_entpack_fehlertext(code)));
            fehler_marke();
            ergebnis = false;
        } else if (const int bits = gib_pe_bitness_von(anfang); bits >= 0) {
            const int dateibits = bits == 1 ? 64 : 32;
            if (dateibits != zielbits) {
                ergebnis = false;
                melde(0, Text::tr("%1 (%2Bit) ist ungültig! Zielsystem ist %3Bit.")
                             .arg(anzeige)
                             .arg(dateibits)
                             .arg(zielbits));
            }
        }
    };
    // Without the entry's information the archive cannot move on: stop there.
    const auto zipfehler = [&](int code) {
        melde_zipfehler(code);
        ergebnis = false;
    };
    // A stop leaves the check unfinished: not passed.
    if (const std::vector<CProgrammort>* programme = archiv.gib_programme()) {
        // The directory, read whole when the archive was opened, names the programs: only these
        // are looked at, and an archive of many thousand other entries is not walked once more.
        for (const CProgrammort& programm : *programme) {
            if (abgebrochen()) {
                ergebnis = false;
                break;
            }
            try {
                int code = archiv.gehe_zu(programm);
                if (code == UNZ_OK)
                    code = archiv.lies_eintrag(eintrag);
                if (code != UNZ_OK) {
                    zipfehler(code);
                    break;
                }
                pruefe_eintrag();
                fortschritt(programm.index + 1);
            } catch (...) {
                CQCat::gib_instanz()->error(CQString("Exception bei Prüfen ZIP"));
                ergebnis = false;
                break;
            }
        }
    } else {
        for (quint64 i = 0; i < anzahl; ++i) {
            if (abgebrochen()) {
                ergebnis = false;
                break;
            }
            try {
                if (const int code = archiv.lies_eintrag(eintrag); code != UNZ_OK) {
                    zipfehler(code);
                    break;
                }
                pruefe_eintrag();
                if (i + 1 < anzahl) {
                    if (const int code = archiv.naechster(); code != UNZ_OK) {
                        zipfehler(code);
                        break;
                    }
                }
                fortschritt(i + 1);
            } catch (...) {
                // The archive's position is unknown after an exception: stop with a failure.
                CQCat::gib_instanz()->error(CQString("Exception bei Prüfen ZIP"));
                ergebnis = false;
                break;
            }
        }
    }
    archiv.schliesse();
    fortschritt(anzahl);
    if (!ergebnis && log) {
        log->setze_fehler();
        textzeile(QStringLiteral(" "));
        textzeile(QStringLiteral(" "));
        melde(2, Text::tr("EXE bzw. DLL aus dem ZIP-Archiv passen nicht zur Bitness des Zielsystems. "
                          "Das Archiv darf nicht installiert werden!"));
    }
    fortschritt(anzahl);
    return ergebnis;
}

} // namespace importzip
