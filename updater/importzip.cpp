#include "importzip.h"
#include "ccat.h"
#include "ccbaselog.h"
#include "cschreiber.h"
#include "cuninstallinfo.h"
#include "czielsperre.h"
#include "dateien.h"
#include "entpacken.h"
#include "klassen.h"
#include "melde.h"
#include "steuerzeichen.h"
#include "verzeichnisse.h"
#include "wortbreite.h"
#include "ziparchiv.h"
#include "zielordner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <climits>
#include <limits>
#include <memory>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("UpdaterMainWindow", text);
}

int als_int(quint64 wert)
{
    return static_cast<int>(qMin<quint64>(wert, INT_MAX));
}

// The updater never writes over itself: its own executables at the top level of the target are
// skipped, however the name spells the top level ("./", "//") and in whatever case.
bool ist_eigenes_programm(const QString& name)
{
    QStringList teile = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    teile.removeAll(QStringLiteral("."));
    if (teile.size() != 1)
        return false;
    static const QStringList eigene{QStringLiteral("updater.exe"), QStringLiteral("aktualisierer.exe"),
                                    gib_programmdatei().fileName()};
    for (const QString& eigen : eigene)
        if (!eigen.isEmpty() && teile.front().compare(eigen, Qt::CaseInsensitive) == 0)
            return true;
    return false;
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
            melde(2, tr("ZIP nicht zu öffnen: %1").arg(maskiere_steuerzeichen(archivpfad)));
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
    // An entry on its way: its own result, or the failure of its folder, reported with it.
    struct COffenerEintrag
    {
        QString name;
        // The name as the protocol shows it.
        QString anzeige;
        quint64 index = 0;
        int code = ENTPACK_OK;
        bool datei = false;
        bool uebersprungen = false;
        // The line of a folder that could not be made; it stands for the entry.
        QString ordnerfehler;
        bool aktiv = false;
    };

    bool installiere(const QString& ziel, CUninstallInfo* uninstall);
    void erledige(CSchreiber& schreiber);
    void schliesse_ab(const COffenerEintrag& e, int geschrieben);
    int sichere_ordner(const QString& ziel, const CZipEintrag& eintrag);

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
    // The target folder, held open; it knows the folders that exist below it.
    std::unique_ptr<CZielordner> zielordner;
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
                    + maskiere_steuerzeichen(eintrag.name).toHtmlEscaped() + QLatin1String("</td></tr>");
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
            const QString anzeige = maskiere_steuerzeichen(eintrag.name);
            if ((klein.endsWith(QLatin1String(".exe")) || klein.endsWith(QLatin1String(".dll")))
                && !klein.contains(QLatin1Char('/'))) {
                // Nothing is written: the first bytes are probed while the entry is read through.
                QString temp = anzeige;
                temp.replace(QLatin1String(".exe"), QLatin1String(".tmpe"), Qt::CaseInsensitive);
                temp.replace(QLatin1String(".dll"), QLatin1String(".tmpd"), Qt::CaseInsensitive);
                CQCat::gib_instanz()->info(CQString(QStringLiteral("Test '%1' in '%2'").arg(anzeige, temp)));
                const int code = lies_eintrag_anfang(archiv.gib_handle(), eintrag, pe_pruefbereich, anfang, pruefpuffer);
                if (code != ENTPACK_OK) {
                    melde(2, tr("Fehler bei Entpacken von %1 : %2").arg(anzeige, gib_entpack_fehlertext(code)));
                    fehler_marke();
                    ergebnis = false;
                } else if (const int bits = gib_pe_bitness_von(anfang); bits >= 0) {
                    const int dateibits = bits == 1 ? 64 : 32;
                    if (dateibits != zielbits) {
                        ergebnis = false;
                        melde(0, tr("%1 (%2Bit) ist ungültig! Zielsystem ist %3Bit.")
                                     .arg(anzeige)
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

// Makes sure the folders of an entry exist (for a folder entry all its levels) and records
// those this call created. The walk stops at the first level that cannot be made, which is the
// entry's one error: ENTPACK_NAME when a link would lead it out of the target, else
// ENTPACK_AUSGABE with the folder's own line.
int CZipLauf::sichere_ordner(const QString& ziel, const CZipEintrag& eintrag)
{
    const int ende = eintrag.name.lastIndexOf(QLatin1Char('/'));
    if (ende < 0)
        return ENTPACK_OK;
    const QStringRef ordner = eintrag.name.leftRef(ende);
    if (!letzter_ordner.isNull() && ordner == letzter_ordner)
        return ENTPACK_OK;
    QStringList angelegt;
    QString fehlstufe;
    const int fehler = zielordner->lege_an(ordner.toString(), angelegt, fehlstufe);
    for (const QString& relativ : angelegt)
        ergaenze_unistall(relativ, laufzeit);
    if (fehler == 0) {
        letzter_ordner = ordner.toString();
        return ENTPACK_OK;
    }
    if (verlaesst_ordner(fehler))
        return ENTPACK_NAME;
    fehlstufe.chop(1);
    aktueller.ordnerfehler = tr("Fehler: Verzeichnis '%1' kann nicht angelegt werden")
                                  .arg(maskiere_steuerzeichen(ziel + QLatin1Char('/') + fehlstufe));
    return ENTPACK_AUSGABE;
}

bool CZipLauf::installiere(const QString& ziel, CUninstallInfo* uninstall)
{
    titel(tr("ZIP Archiv installieren"));
    melde(5, tr("ZIP Archiv installieren"));
    gesamt();
    melde(5, anzahl > 0 ? tr("Zielverzeichnis: %1").arg(maskiere_steuerzeichen(ziel)) : tr("ZIP Archiv ist leer !"));

    // Nothing is written while another process works on the target, or while the records of an
    // earlier install could not be read: they would be lost.
    const CZielsperre sperre(ziel);
    const QString grund = !sperre.gehalten() ? sperre.gib_fehlertext()
                          : uninstall        ? uninstall->gib_ladefehler()
                                             : QString();
    if (!grund.isEmpty()) {
        archiv.schliesse();
        melde(2, grund);
        melde(2, tr("Installation fehlerhaft !"));
        fehler_marke();
        fortschritt(anzahl);
        return false;
    }
    zielordner = std::make_unique<CZielordner>(ziel);

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
            aktueller.anzeige = maskiere_steuerzeichen(eintrag.name);
            aktueller.index = i;
            if (ist_eigenes_programm(eintrag.name)) {
                aktueller.uebersprungen = true;
            } else {
                aktueller.code = pruefe_eintragsname(eintrag.name);
                if (aktueller.code == ENTPACK_OK)
                    aktueller.code = sichere_ordner(ziel, eintrag);
                if (aktueller.code == ENTPACK_OK) {
                    aktueller.datei = !eintrag.ist_verzeichnis();
                    // A folder entry is done once its folders exist.
                    if (aktueller.datei) {
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

// Reports one entry (its folder's failure or its own line); records a written file.
void CZipLauf::schliesse_ab(const COffenerEintrag& e, int geschrieben)
{
    const int code = e.code != ENTPACK_OK ? e.code : geschrieben;
    if (e.uebersprungen) {
        melde(5, text_ueberspringe.arg(e.anzeige));
    } else if (!e.ordnerfehler.isEmpty()) {
        ++fehlerzahl;
        melde(2, e.ordnerfehler);
        fehler_marke();
    } else if (code != ENTPACK_OK) {
        ++fehlerzahl;
        melde(2, text_fehler.arg(e.anzeige, gib_entpack_fehlertext(code)));
        fehler_marke();
    } else {
        melde(5, text_installiere.arg(e.anzeige));
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
