#include "importzip.h"
#include "ccat.h"
#include "ccbaselog.h"
#include "cschreiber.h"
#include "cuninstallinfo.h"
#include "dateien.h"
#include "entpacken.h"
#include "klassen.h"
#include "melde.h"
#include "wortbreite.h"
#include "ziparchiv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>

#include <cerrno>
#include <climits>
#include <limits>
#include <sys/stat.h>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("UpdaterMainWindow", text);
}

int als_int(quint64 wert)
{
    return static_cast<int>(qMin<quint64>(wert, INT_MAX));
}

// One call of ImportZIP_installation: the archive, the log window, the run time and the result.
class CZipLauf
{
public:
    CZipLauf(CCBaseLog* log, const QString& archivpfad) : log(log), archivpfad(archivpfad)
    {
        laufzeit.setze_jetzt();
    }

    bool fuehre_aus(int modus, const QString& ziel, CUninstallInfo* uninstall)
    {
        titel(tr("ZIP Archiv öffnen"));
        if (!archiv.oeffne(archivpfad)) {
            melde(2, tr("ZIP nicht zu öffnen: %1").arg(archivpfad));
            fehler_marke();
            return false;
        }
        if (const int code = archiv.lies_anzahl(anzahl); code != UNZ_OK) {
            melde_zipfehler(code);
            return false;
        }
        switch (modus) {
        case 0: return installiere(ziel, uninstall);
        case 1: return liste();
        default: return pruefe_wortbreite();
        }
    }

private:
    void melde(int typ, const QString& text)
    {
        qmelde(typ, klasse_kurz, CQString("ImportZIP_installation"), CQString(text));
    }
    void melde_zipfehler(int code)
    {
        melde(2, tr("Fehlerhafte ZIP-Datei Code: %1").arg(code));
        fehler_marke();
    }
    void titel(const QString& text)
    {
        if (log)
            log->neue_titelzeile(CQString(text));
    }
    void textzeile(const QString& text)
    {
        if (log)
            log->neue_textzeile(CQString(text), 0);
    }
    void fortschritt(quint64 schritt)
    {
        if (log)
            log->setze_fortschritt(als_int(schritt));
    }
    void gesamt()
    {
        if (log)
            log->setTotalSteps(als_int(anzahl));
    }
    void fehler_marke()
    {
        if (log)
            log->setze_fehler();
    }

    bool liste();
    bool pruefe_wortbreite();
    // An entry on its way: its own result, and the failures of its folders, reported with it.
    struct COffenerEintrag
    {
        QString name;
        quint64 index = 0;
        int code = ENTPACK_OK;
        bool datei = false;
        bool uebersprungen = false;
        QStringList ordnerfehler;
        bool aktiv = false;
    };

    bool installiere(const QString& ziel, CUninstallInfo* uninstall);
    void erledige(CSchreiber& schreiber);
    void schliesse_ab(const COffenerEintrag& e, int geschrieben);
    bool lege_ordner_an(const QString& ziel, const QStringList& teile, int anzahl_teile);
    bool sichere_ordner(const QString& ziel, const CZipEintrag& eintrag);

    CCBaseLog* log;
    QString archivpfad;
    CZipArchiv archiv;
    CZeitVDN laufzeit;
    quint64 anzahl = 0;
    QByteArray pruefpuffer;
    COffenerEintrag aktueller;
    COffenerEintrag offener;
    // The texts of every entry, translated once.
    const QString text_ueberspringe = tr("überspringe %1");
    const QString text_fehler = tr("Fehler bei entpacken von %1 : %2");
    const QString text_installiere = tr("installiere %1");
    // Folders (relative, ending in "/") known to exist during this call.
    QSet<QString> bekannte_ordner;
    // The folder part of the last entry whose folders exist: most entries share it.
    QString letzter_ordner;
    int fehlerzahl = 0;
};

bool CZipLauf::liste()
{
    if (log) {
        log->neue_titelzeile(CQString(tr("Inhaltsverzeichnis ZIP Archiv")));
        gesamt();
    }
    QString html = QStringLiteral("<table border=1><tr><td>Größe</td><td>") + tr("Größe komp.")
                   + QLatin1String("</td><td>") + tr("Ratio") + QLatin1String("</td><td>") + tr("Datum")
                   + QLatin1String("</td><td>") + tr("Zeit") + QLatin1String("</td><td>") + tr("Name")
                   + QLatin1String("</td></tr>");
    const auto zwei = [](int wert) { return QStringLiteral("%1").arg(wert, 2, 10, QLatin1Char('0')); };
    CZipEintrag eintrag;
    for (quint64 k = 1; k <= anzahl; ++k) {
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
                    + eintrag.name.toHtmlEscaped() + QLatin1String("</td></tr>");
            if (k < anzahl)
                code = archiv.naechster();
        }
        if (code != UNZ_OK) {
            textzeile(html + QLatin1String("</table><br/>"));
            melde_zipfehler(code);
            archiv.schliesse();
            fortschritt(anzahl);
            return true;
        }
        fortschritt(k);
    }
    textzeile(html + QLatin1String("</table><br/>"));
    archiv.schliesse();
    fortschritt(anzahl);
    return true;
}

bool CZipLauf::pruefe_wortbreite()
{
    const QString ueberschrift = tr("Prüfen Bitness ZIP Archiv");
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
    for (quint64 i = 0; i < anzahl; ++i) {
        try {
            if (const int code = archiv.lies_eintrag(eintrag); code != UNZ_OK) {
                // Without the entry's information the archive cannot move on: stop here.
                melde_zipfehler(code);
                ergebnis = false;
                break;
            }
            const QString klein = eintrag.name.toLower();
            if ((klein.endsWith(QLatin1String(".exe")) || klein.endsWith(QLatin1String(".dll")))
                && !klein.contains(QLatin1Char('/'))) {
                // Nothing is written: the first bytes are probed while the entry is read through.
                QString temp = eintrag.name;
                temp.replace(QLatin1String(".exe"), QLatin1String(".tmpe"), Qt::CaseInsensitive);
                temp.replace(QLatin1String(".dll"), QLatin1String(".tmpd"), Qt::CaseInsensitive);
                CQCat::gib_instanz()->info(CQString(QStringLiteral("Test '%1' in '%2'").arg(eintrag.name, temp)));
                const int code = lies_eintrag_anfang(archiv.gib_handle(), eintrag, pe_pruefbereich, anfang, pruefpuffer);
                if (code != ENTPACK_OK) {
                    melde(2, tr("Fehler bei Entpacken von %1 : %2").arg(eintrag.name, gib_entpack_fehlertext(code)));
                    fehler_marke();
                    ergebnis = false;
                } else if (const int bits = gib_pe_bitness_von(anfang); bits >= 0) {
                    const int dateibits = bits == 1 ? 64 : 32;
                    if (dateibits != zielbits) {
                        ergebnis = false;
                        melde(0, tr("%1 (%2Bit) ist ungültig! Zielsystem ist %3Bit.")
                                     .arg(eintrag.name)
                                     .arg(dateibits)
                                     .arg(zielbits));
                    }
                }
            }
            if (i + 1 < anzahl) {
                if (const int code = archiv.naechster(); code != UNZ_OK) {
                    melde_zipfehler(code);
                    ergebnis = false;
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
    archiv.schliesse();
    fortschritt(anzahl);
    if (!ergebnis && log) {
        log->setze_fehler();
        textzeile(QStringLiteral(" "));
        textzeile(QStringLiteral(" "));
        melde(2, tr("EXE bzw. DLL aus dem ZIP-Archiv passen nicht zur Bitness des Zielsystems. "
                    "Das Archiv darf nicht installiert werden!"));
    }
    fortschritt(anzahl);
    return ergebnis;
}

// Creates the first `anzahl_teile` folder levels of an entry's path. A folder is recorded only
// when this call created it; folders seen once are not looked at again.
bool CZipLauf::lege_ordner_an(const QString& ziel, const QStringList& teile, int anzahl_teile)
{
    bool ok = true;
    QString absolut = ziel;
    QString relativ;
    for (int t = 0; t < anzahl_teile; ++t) {
        const QString& teil = teile[t];
        const QString ordner = absolut + QLatin1Char('/') + teil;
        relativ += teil + QLatin1Char('/');
        if (!bekannte_ordner.contains(relativ)) {
            const QByteArray pfad = QFile::encodeName(ordner);
            if (::mkdir(pfad.constData(), 0777) == 0) {
                ergaenze_unistall(relativ, laufzeit);
                bekannte_ordner.insert(relativ);
            } else {
                struct stat st{};
                if (errno == EEXIST && ::stat(pfad.constData(), &st) == 0 && S_ISDIR(st.st_mode)) {
                    bekannte_ordner.insert(relativ);
                } else {
                    // Reported with the entry, in the protocol's order.
                    ++fehlerzahl;
                    aktueller.ordnerfehler << tr("Fehler: Verzeichnis '%1' kann nicht angelegt werden").arg(ordner);
                    fehler_marke();
                    ok = false;
                }
            }
        }
        absolut = ordner;
    }
    return ok;
}

// Makes sure the folders of an entry exist (for a folder entry all its levels).
bool CZipLauf::sichere_ordner(const QString& ziel, const CZipEintrag& eintrag)
{
    const int ende = eintrag.name.lastIndexOf(QLatin1Char('/'));
    if (ende < 0)
        return true;
    const QStringRef ordner = eintrag.name.leftRef(ende);
    if (!letzter_ordner.isNull() && ordner == letzter_ordner)
        return true;
    const QStringList teile = eintrag.name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const int ordnerteile = eintrag.ist_verzeichnis() ? teile.size() : teile.size() - 1;
    if (!lege_ordner_an(ziel, teile, ordnerteile))
        return false;
    letzter_ordner = ordner.toString();
    return true;
}

bool CZipLauf::installiere(const QString& ziel, CUninstallInfo* uninstall)
{
    titel(tr("ZIP Archiv installieren"));
    melde(5, tr("ZIP Archiv installieren"));
    gesamt();
    melde(5, anzahl > 0 ? tr("Zielverzeichnis: %1").arg(ziel) : tr("ZIP Archiv ist leer !"));

    // The files are written by a writer thread while the next entry is read; an entry is
    // reported (and recorded) once its file is written, always in the archive's order.
    CSchreiber schreiber;
    schreiber.setze_vor_dem_schreiben([this, &schreiber] { erledige(schreiber); });
    bool ergebnis = true;
    const auto zip_fehler = [&](int code) {
        erledige(schreiber);
        ++fehlerzahl;
        melde_zipfehler(code);
        ergebnis = false;
    };
    CZipEintrag eintrag;
    for (quint64 i = 0; i < anzahl; ++i) {
        try {
            if (const int code = archiv.lies_eintrag(eintrag); code != UNZ_OK) {
                zip_fehler(code);
                break;
            }
            aktueller = COffenerEintrag();
            aktueller.name = eintrag.name;
            aktueller.index = i;
            if (eintrag.name.compare(QLatin1String("updater.exe"), Qt::CaseInsensitive) == 0
                || eintrag.name.compare(QLatin1String("aktualisierer.exe"), Qt::CaseInsensitive) == 0) {
                aktueller.uebersprungen = true;
            } else {
                aktueller.code = pruefe_eintragsname(eintrag.name);
                if (aktueller.code == ENTPACK_OK) {
                    const bool ordner_da = sichere_ordner(ziel, eintrag);
                    aktueller.datei = !eintrag.ist_verzeichnis();
                    // A folder entry is done once its folders exist.
                    if (aktueller.datei || !ordner_da) {
                        const auto vorher = schreiber.gib_uebergeben();
                        aktueller.code = entpacke_eintrag(archiv.gib_handle(), eintrag, ziel, false, schreiber);
                        if (schreiber.gib_uebergeben() != vorher) {
                            offener = aktueller;
                            offener.aktiv = true;
                            aktueller = COffenerEintrag();
                        }
                    }
                }
            }
            if (!aktueller.name.isNull()) {
                erledige(schreiber);
                schliesse_ab(aktueller, ENTPACK_OK);
                aktueller = COffenerEintrag();
            }
            if (i + 1 < anzahl) {
                if (const int code = archiv.naechster(); code != UNZ_OK) {
                    zip_fehler(code);
                    break;
                }
            }
        } catch (...) {
            // The archive's position is unknown after an exception: stop with an error. What
            // was written stays recorded.
            schreiber.brich_ab();
            try {
                erledige(schreiber);
            } catch (...) {
            }
            CQCat::gib_instanz()->error(CQString("Exception bei Installieren aus ZIP"));
            ++fehlerzahl;
            fehler_marke();
            break;
        }
    }
    try {
        erledige(schreiber);
    } catch (...) {
        CQCat::gib_instanz()->error(CQString("Exception bei Installieren aus ZIP"));
        ++fehlerzahl;
    }
    archiv.schliesse();
    textzeile(QStringLiteral(" "));
    if (uninstall && !uninstall->schreibe_unistall()) {
        ++fehlerzahl;
        fehler_marke();
    }
    if (fehlerzahl > 0) {
        melde(2, tr("Installation fehlerhaft !"));
        fehler_marke();
        ergebnis = false;
    } else {
        melde(5, tr("Installation beendet."));
    }
    fortschritt(anzahl);
    return ergebnis;
}

// Reports the entry that is with the writer, once its file is written.
void CZipLauf::erledige(CSchreiber& schreiber)
{
    if (!offener.aktiv)
        return;
    offener.aktiv = false;
    const int geschrieben = schreiber.hat_offenes() ? schreiber.warte() : ENTPACK_OK;
    schliesse_ab(offener, geschrieben);
}

// Reports one entry: the failures of its folders, then its own line; records a written file.
void CZipLauf::schliesse_ab(const COffenerEintrag& e, int geschrieben)
{
    for (const QString& text : e.ordnerfehler)
        melde(2, text);
    const int code = e.code != ENTPACK_OK ? e.code : geschrieben;
    if (e.uebersprungen) {
        melde(5, text_ueberspringe.arg(e.name));
    } else if (code != ENTPACK_OK) {
        ++fehlerzahl;
        melde(2, text_fehler.arg(e.name, gib_entpack_fehlertext(code)));
        fehler_marke();
    } else {
        melde(5, text_installiere.arg(e.name));
        if (e.datei)
            ergaenze_unistall(e.name, laufzeit);
    }
    fortschritt(e.index + 1);
}

} // namespace

bool ImportZIP_installation(CCBaseLog* log, int* modus, const QString& archiv, const QString& ziel,
                            CUninstallInfo* uninstall)
{
    if (!modus || *modus < 0 || *modus > 2)
        return true;
    CZipLauf lauf(log, archiv);
    return lauf.fuehre_aus(*modus, ziel, uninstall);
}
