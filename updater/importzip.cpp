#include "importzip.h"
#include "ccat.h"
#include "ccbaselog.h"
#include "centpackwerk.h"
#include "cuninstallinfo.h"
#include "cuninstallschreiber.h"
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
#include <QHash>
#include <QSet>

#include <deque>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace {

// The texts of this file, in the translation context "UpdaterMainWindow" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(UpdaterMainWindow)
};

int als_int(quint64 wert)
{
    return static_cast<int>(qMin<quint64>(wert, INT_MAX));
}

// The file names of the updater's own executables.
const QStringList& eigene_programme()
{
    static const QStringList eigene{QStringLiteral("updater.exe"), QStringLiteral("aktualisierer.exe"),
                                    gib_programmdatei().fileName()};
    return eigene;
}

// The updater never writes over itself: its own executables at the top level of the target are
// skipped, however the name spells the top level ("./", "//") and in whatever case.
bool ist_eigenes_programm(const QString& name)
{
    QStringList teile = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    teile.removeAll(QStringLiteral("."));
    if (teile.size() != 1)
        return false;
    for (const QString& eigen : eigene_programme())
        if (!eigen.isEmpty() && teile.front().compare(eigen, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The path a name stands for below the target: without empty and "." parts.
QString ohne_leere_teile(const QString& name)
{
    if (!name.contains(QLatin1String("//")) && !name.contains(QLatin1String("/./")) && !name.startsWith(QLatin1String("./"))
        && !name.endsWith(QLatin1String("/.")) && name != QLatin1String(".") && !name.endsWith(QLatin1Char('/')))
        return name;
    QStringList teile = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    teile.removeAll(QStringLiteral("."));
    return teile.join(QLatin1Char('/'));
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
        titel(Text::tr("ZIP Archiv öffnen"));
        if (!archiv.oeffne(archivpfad)) {
            melde(2, Text::tr("ZIP nicht zu öffnen: %1").arg(maskiere_steuerzeichen(archivpfad)));
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
        melde(2, Text::tr("Fehlerhafte ZIP-Datei Code: %1").arg(code));
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

    bool installiere(const QString& ziel, CUninstallInfo* uninstall);
    void lies_alle();
    void nimm_auf(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e);
    void plane_ordner(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e);
    bool merke_ordner_vor(const QStringList& stufen, int ab);
    bool gib_zurueckgehaltene_frei(quint64 bis, bool schreiben = true);
    bool melde_eintrag(CEintragUnterwegs& e, quint64 index);
    void nimm_offen(quint64 index, CEintragUnterwegs e);
    bool benenne_offene(bool schreiben);
    void gib_eintrag_zurueck(size_t platz);
    void nimm_vormerkungen_zurueck();
    void stoppe();

    CCBaseLog* log;
    QString archivpfad;
    CZipArchiv archiv;
    CZeitVDN laufzeit;
    quint64 anzahl = 0;
    QByteArray pruefpuffer;
    // The texts of every entry, translated once.
    const QString text_ueberspringe = Text::tr("überspringe %1");
    const QString text_fehler = Text::tr("Fehler bei entpacken von %1 : %2");
    const QString text_installiere = Text::tr("installiere %1");
    const QString text_ordnerfehler = Text::tr("Fehler: Verzeichnis '%1' kann nicht angelegt werden");
    int fehlerzahl = 0;

    // An install: the archive is read, entry by entry, in a thread of its own, which hands the
    // entries to the workers (they make the folders and write the files); this thread reports
    // the entries in their order and names their files.
    std::unique_ptr<CEntpackWerk> werk;
    std::thread leser;
    // The target folder, held open; it knows the folders below it.
    QString zielpfad;
    std::unique_ptr<CZielordner> zielordner;
    // The reading thread's own. The folder part of the last entry, planned already: most
    // entries share it. The levels an entry planned for.
    QString letzter_ordner;
    QSet<QString> geplant;
    // The files given to the workers (their paths without empty and "." parts), each with its
    // last entry: a folder of that name waits until the file was reported.
    QHash<QString, quint64> dateien;

    // Nothing shows in the target before "uninstall.dat" names it, so that a run killed at any
    // moment leaves no file and no folder off the record. A folder is recorded before a worker
    // makes it: the reading thread records the levels that do not exist yet (with the record
    // each had before) and hands the entries that need them on only once a write has taken
    // them. A file is complete before its record goes into the map, and takes its name once a
    // write has taken that. Either thread writes when it would wait; every write serves both.
    std::unique_ptr<CUninstallSchreiber> schreiber;
    QHash<QString, std::optional<CZeitVDN>> vorgemerkt;
    // The reporting thread's own: the entries taken whose files wait for their names (with the
    // change that recorded them and the record their path had before; the last such change),
    // and the folders the workers made.
    struct COffen
    {
        quint64 index;
        quint64 stand;
        std::optional<CZeitVDN> vorher;
        CEintragUnterwegs e;
    };
    std::deque<COffen> offen;
    quint64 offen_stand = 0;
    QSet<QString> gemacht;
    // The reading thread's own: the entries held back, the change that recorded the last of
    // their folders, and whether it has ended the reading.
    std::vector<std::pair<CEintragUnterwegs, CZipEintrag>> zurueck;
    quint64 zurueck_stand = 0;
    bool lesen_beendet = false;
};

bool CZipLauf::liste()
{
    if (log) {
        log->neue_titelzeile(CQString(Text::tr("Inhaltsverzeichnis ZIP Archiv")));
        gesamt();
    }
    QString html = QStringLiteral("<table border=1><tr><td>") + Text::tr("Größe") + QLatin1String("</td><td>")
                   + Text::tr("Größe komp.") + QLatin1String("</td><td>") + Text::tr("Ratio")
                   + QLatin1String("</td><td>") + Text::tr("Datum") + QLatin1String("</td><td>") + Text::tr("Zeit")
                   + QLatin1String("</td><td>") + Text::tr("Name") + QLatin1String("</td></tr>");
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
        melde(2, Text::tr("EXE bzw. DLL aus dem ZIP-Archiv passen nicht zur Bitness des Zielsystems. "
                          "Das Archiv darf nicht installiert werden!"));
    }
    fortschritt(anzahl);
    return ergebnis;
}

// Plans the folders of an entry (for a folder entry all its levels), which its worker makes:
// the levels that no entry before needed become this entry's own, recorded with it. A level of
// the name of a file still on its way waits until that file was reported, as in a run of one
// entry after the other.
void CZipLauf::plane_ordner(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e)
{
    const int ende = eintrag.name.lastIndexOf(QLatin1Char('/'));
    if (ende < 0)
        return;
    e.ordner = eintrag.name.left(ende);
    if (e.ordner == letzter_ordner) {
        e.eigene_ab = INT_MAX;
        return;
    }
    const QString pfad = ohne_leere_teile(e.ordner);
    bool gleichnamig = false;
    quint64 letzte = 0;
    for (int pos = pfad.indexOf(QLatin1Char('/'));; pos = pfad.indexOf(QLatin1Char('/'), pos + 1)) {
        const auto it = dateien.constFind(pos < 0 ? pfad : pfad.left(pos));
        if (it != dateien.constEnd()) {
            gleichnamig = true;
            letzte = qMax(letzte, *it);
        }
        if (pos < 0)
            break;
    }
    if (gleichnamig && gib_zurueckgehaltene_frei(index))
        werk->warte_bis_gemeldet(letzte);
    // The names of files reported long ago are let go, so that the list stays short.
    if (quint64(dateien.size()) > 4 * werk->fenster())
        for (auto it = dateien.begin(); it != dateien.end();)
            it = *it + werk->fenster() < index ? dateien.erase(it) : std::next(it);
    const QStringList stufen = CZielordner::stufen(e.ordner);
    int eigene_ab = 0;
    while (eigene_ab < stufen.size() && geplant.contains(stufen[eigene_ab]))
        ++eigene_ab;
    for (int i = eigene_ab; i < stufen.size(); ++i)
        geplant.insert(stufen[i]);
    e.eigene_ab = eigene_ab;
    e.vorgemerkt = merke_ordner_vor(stufen, eigene_ab);
    letzter_ordner = e.ordner;
}

// Records the levels from `ab` on that do not exist yet, before any worker may make them; true
// when there was one.
bool CZipLauf::merke_ordner_vor(const QStringList& stufen, int ab)
{
    bool neu = false;
    for (int i = ab; i < stufen.size(); ++i) {
        const QString& stufe = stufen[i];
        const int fd = oeffne_unterhalb(zielordner->handle(), QFile::encodeName(stufe.chopped(1)), O_PATH);
        if (fd >= 0) {
            ::close(fd);
            continue;
        }
        if (errno != ENOENT || vorgemerkt.contains(stufe))
            continue;
        vorgemerkt.insert(stufe, unistall_eintrag(stufe));
        ergaenze_unistall(stufe, laufzeit);
        neu = true;
    }
    if (neu)
        zurueck_stand = schreiber->vermerke_aenderung();
    return neu;
}

// Hands the held entries to the workers once the records of their folders are on disk: at
// once when a write took them already, else after writing them (unless `schreiben` is false).
// False when the records could not be written: the reading ends before the first of them.
bool CZipLauf::gib_zurueckgehaltene_frei(quint64 bis, bool schreiben)
{
    if (lesen_beendet)
        return false;
    if (zurueck.empty())
        return true;
    const quint64 erster = bis - zurueck.size();
    if (!schreiber->ist_geschrieben(zurueck_stand)) {
        if (!schreiben)
            return true;
        if (!schreiber->schreibe(false)) {
            zurueck.clear();
            lesen_beendet = true;
            werk->schliesse_lesen(erster, CLeseschluss::Aufzeichnung);
            return false;
        }
    }
    for (quint64 k = 0; k < zurueck.size(); ++k)
        werk->stelle_ein(erster + k, std::move(zurueck[k].first), zurueck[k].second);
    zurueck.clear();
    // The entries after them may be held again: the last packet goes now.
    werk->sende_gesammelte();
    return true;
}

// Takes an entry from the archive: what needs no worker is settled here.
void CZipLauf::nimm_auf(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e)
{
    e.name = eintrag.name;
    e.anzeige = maskiere_steuerzeichen(eintrag.name);
    if (ist_eigenes_programm(eintrag.name)) {
        e.uebersprungen = true;
        return;
    }
    e.code = pruefe_eintragsname(eintrag.name);
    if (e.code != ENTPACK_OK)
        return;
    plane_ordner(eintrag, index, e);
    if (eintrag.ist_verzeichnis())
        return;
    e.datei = true;
    const QString pfad = ohne_leere_teile(eintrag.name);
    dateien.insert(pfad, index);
    // A later entry in the same folder must not pass by the file's name unchecked.
    if (letzter_ordner == pfad || letzter_ordner.startsWith(pfad + QLatin1Char('/')))
        letzter_ordner.clear();
}

// The reading thread: every entry into the window, in order, then how the reading ended. An
// entry that needs a folder recorded ahead waits, with the entries after it, until a write has
// taken its records; this thread writes them itself once half the window waits so, and before it
// would wait for room.
void CZipLauf::lies_alle()
{
    CZipEintrag eintrag;
    int zipfehler = UNZ_OK;
    const size_t zurueck_grenze = size_t(qMax<quint64>(1, werk->fenster() / 2));
    for (quint64 i = 0;; ++i) {
        const bool ende = i == anzahl || zipfehler != UNZ_OK;
        const bool warten = ende || !werk->hat_platz(i) || zurueck.size() >= zurueck_grenze;
        if (!gib_zurueckgehaltene_frei(i, warten))
            return;
        if (ende) {
            werk->schliesse_lesen(i, zipfehler != UNZ_OK ? CLeseschluss::Zipfehler : CLeseschluss::Ende, zipfehler);
            return;
        }
        if (!werk->warte_auf_platz(i))
            return;
        try {
            if (const int code = archiv.lies_eintrag(eintrag); code != UNZ_OK) {
                if (gib_zurueckgehaltene_frei(i))
                    werk->schliesse_lesen(i, CLeseschluss::Zipfehler, code);
                return;
            }
            CEintragUnterwegs e;
            nimm_auf(eintrag, i, e);
            if (lesen_beendet)
                return;
            if (e.vorgemerkt || !zurueck.empty())
                zurueck.emplace_back(std::move(e), eintrag);
            else
                werk->stelle_ein(i, std::move(e), eintrag);
            if (werk->ist_gestoppt())
                return;
            if (i + 1 < anzahl)
                zipfehler = archiv.naechster();
        } catch (...) {
            const quint64 erster = i - zurueck.size();
            zurueck.clear();
            werk->schliesse_lesen(erster, CLeseschluss::Ausnahme);
            return;
        }
    }
}

// Ends an install early: the reading thread and the workers stop, no file of an entry not
// reported takes its name, and the folders made ahead for those entries go again, so that the
// disk shows what was reported.
void CZipLauf::stoppe()
{
    if (!werk)
        return;
    werk->brich_ab();
    if (leser.joinable())
        leser.join();
    const std::vector<CEintragUnterwegs> uebrige = werk->nimm_uebrige();
    for (auto e = uebrige.rbegin(); e != uebrige.rend(); ++e) {
        const QStringList stufen = e->ordner.isNull() ? QStringList() : CZielordner::stufen(e->ordner);
        for (int i = int(stufen.size()) - 1; i >= e->eigene_ab; --i)
            zielordner->entferne_leeren(stufen[i]);
    }
    werk.reset();
}

// Reports one entry; its file takes its name now, after every earlier entry's. True when it did.
bool CZipLauf::melde_eintrag(CEintragUnterwegs& e, quint64 index)
{
    int code = e.code;
    if (e.fuer_arbeiter()) {
        if (!e.ausgabe.isEmpty())
            std::fwrite(e.ausgabe.constData(), 1, size_t(e.ausgabe.size()), stdout);
        code = e.ergebnis != ENTPACK_OK || !e.datei ? e.ergebnis : e.fertig.benenne();
    }
    bool ok = false;
    if (e.uebersprungen) {
        melde(5, text_ueberspringe.arg(e.anzeige));
    } else if (!e.fehlstufe.isEmpty()) {
        ++fehlerzahl;
        melde(2, text_ordnerfehler.arg(maskiere_steuerzeichen(zielpfad + QLatin1Char('/') + e.fehlstufe.chopped(1))));
        fehler_marke();
    } else if (code != ENTPACK_OK) {
        ++fehlerzahl;
        melde(2, text_fehler.arg(e.anzeige, gib_entpack_fehlertext(code)));
        fehler_marke();
    } else {
        melde(5, text_installiere.arg(e.anzeige));
        ok = e.datei;
    }
    fortschritt(index + 1);
    return ok;
}

// Takes an entry from the workers: the record of its complete file goes into the map at once;
// the file waits for its name until a write has taken the record.
void CZipLauf::nimm_offen(quint64 index, CEintragUnterwegs e)
{
    // Its folders were recorded ahead; one that was there when it was planned and is new all the
    // same (another process removed it meanwhile) is recorded now.
    for (const QString& relativ : e.angelegt)
        if (!gemacht.contains(relativ)) {
            gemacht.insert(relativ);
            if (!unistall_eintrag(relativ))
                ergaenze_unistall(relativ, laufzeit);
        }
    quint64 stand = 0;
    std::optional<CZeitVDN> vorher;
    if (e.fuer_arbeiter() && e.datei && e.ergebnis == ENTPACK_OK && !e.fertig.ist_leer()) {
        vorher = ergaenze_unistall(e.name, laufzeit);
        stand = offen_stand = schreiber->vermerke_aenderung();
    }
    offen.push_back(COffen{index, stand, std::move(vorher), std::move(e)});
}

// The record of a waiting file that does not take its name goes back to what it was before:
// at once, or, while a later entry of the same path still waits, when that one has its turn.
void CZipLauf::gib_eintrag_zurueck(size_t platz)
{
    const COffen& o = offen[platz];
    for (size_t spaeter = platz + 1; spaeter < offen.size(); ++spaeter)
        if (offen[spaeter].stand != 0 && offen[spaeter].e.name == o.e.name) {
            offen[spaeter].vorher = o.vorher;
            return;
        }
    setze_unistall_zurueck(o.e.name, o.vorher);
}

// Names the waiting files whose records are on disk and reports their entries, in the archive's
// order; with `schreiben` all of them, after writing the records. False when the records could
// not be written: then no waiting file takes its name.
bool CZipLauf::benenne_offene(bool schreiben)
{
    if (schreiben && !offen.empty() && !schreiber->ist_geschrieben(offen_stand) && !schreiber->schreibe()) {
        // Last first: the first waiting entry of a path holds the record from before this run.
        for (size_t platz = offen.size(); platz-- > 0;)
            if (offen[platz].stand != 0)
                setze_unistall_zurueck(offen[platz].e.name, offen[platz].vorher);
        offen.clear();
        return false;
    }
    while (!offen.empty() && schreiber->ist_geschrieben(offen.front().stand)) {
        COffen& o = offen.front();
        if (!melde_eintrag(o.e, o.index) && o.stand != 0)
            gib_eintrag_zurueck(0);
        werk->ist_gemeldet(o.index);
        offen.pop_front();
    }
    return true;
}

// The folders recorded ahead that this run did not make go off the record again (an entry
// failed or the run stopped before).
void CZipLauf::nimm_vormerkungen_zurueck()
{
    for (auto it = vorgemerkt.cbegin(); it != vorgemerkt.cend(); ++it)
        if (!gemacht.contains(it.key()))
            setze_unistall_zurueck(it.key(), it.value());
    vorgemerkt.clear();
}

bool CZipLauf::installiere(const QString& ziel, CUninstallInfo* uninstall)
{
    titel(Text::tr("ZIP Archiv installieren"));
    melde(5, Text::tr("ZIP Archiv installieren"));
    gesamt();
    melde(5, anzahl > 0 ? Text::tr("Zielverzeichnis: %1").arg(maskiere_steuerzeichen(ziel))
                        : Text::tr("ZIP Archiv ist leer !"));

    // Nothing is written while another process works on the target, or while the records of an
    // earlier install could not be read: they would be lost.
    const CZielsperre sperre(ziel);
    const QString grund = !sperre.gehalten() ? sperre.gib_fehlertext()
                          : uninstall        ? uninstall->gib_ladefehler()
                                             : QString();
    if (!grund.isEmpty()) {
        archiv.schliesse();
        melde(2, grund);
        melde(2, Text::tr("Installation fehlerhaft !"));
        fehler_marke();
        fortschritt(anzahl);
        return false;
    }

    schreiber = std::make_unique<CUninstallSchreiber>(uninstall);
    bool ergebnis = true;
    const auto ausnahme = [this] {
        CQCat::gib_instanz()->error(CQString("Exception bei Installieren aus ZIP"));
        ++fehlerzahl;
        fehler_marke();
    };
    try {
        if (anzahl > 0) {
            // Asked here, where the application object lives, before the reading thread needs it.
            eigene_programme();
            zielpfad = ziel;
            zielordner = std::make_unique<CZielordner>(ziel);
            werk = std::make_unique<CEntpackWerk>(*archiv.gib_eingabe(), ziel, *zielordner, gib_entpack_arbeiter());
            leser = std::thread([this] { lies_alle(); });
        }
        CEintragUnterwegs e;
        CLeseschluss schluss = CLeseschluss::Ende;
        int code = UNZ_OK;
        bool aufgezeichnet = true;
        const size_t offen_grenze = werk ? size_t(qMax<quint64>(1, werk->fenster() / 2)) : 1;
        for (quint64 i = 0; werk && aufgezeichnet;) {
            // While files wait for their names the wait for the next entry is short: they are
            // named as soon as a write took their records, and written for when the records are
            // due or the reading side waits.
            if (!werk->hole(i, e, schluss, code, offen.empty() ? -1 : 20)) {
                if (schluss != CLeseschluss::Keiner)
                    break;
                aufgezeichnet = benenne_offene(werk->lesen_wartet() || schreiber->ist_faellig());
                continue;
            }
            nimm_offen(i++, std::move(e));
            e = CEintragUnterwegs();
            aufgezeichnet = benenne_offene(offen.size() >= offen_grenze || schreiber->ist_faellig());
        }
        aufgezeichnet = aufgezeichnet && benenne_offene(true) && schluss != CLeseschluss::Aufzeichnung;
        if (!aufgezeichnet) {
            // Without its records nothing more may be written: the run stops.
            stoppe();
            ++fehlerzahl;
            fehler_marke();
        } else if (schluss == CLeseschluss::Zipfehler) {
            ++fehlerzahl;
            melde_zipfehler(code);
            ergebnis = false;
        } else if (schluss == CLeseschluss::Ausnahme) {
            // The archive's position is unknown after an exception: stop with an error. What
            // was written stays recorded.
            ausnahme();
        }
    } catch (...) {
        // An exception while an entry was reported: nothing after it is written.
        try {
            stoppe();
        } catch (...) {
        }
        ausnahme();
    }
    if (leser.joinable())
        leser.join();
    werk.reset();
    offen.clear();
    archiv.schliesse();
    nimm_vormerkungen_zurueck();
    textzeile(QStringLiteral(" "));
    if (!schreiber->schreibe(true, true)) {
        ++fehlerzahl;
        fehler_marke();
    }
    if (fehlerzahl > 0) {
        melde(2, Text::tr("Installation fehlerhaft !"));
        fehler_marke();
        ergebnis = false;
    } else {
        melde(5, Text::tr("Installation beendet."));
    }
    fortschritt(anzahl);
    return ergebnis;
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
