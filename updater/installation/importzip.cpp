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
#include "parallelschleife.h"
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

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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

// The replacements of a part of the naming thread's entries run side by side from this many on,
// on this many helpers besides the naming thread: on a disk a rename waits on the file system's
// journal more than it computes, and a few at once overlap those waits (in memory they gain
// little: the kernel renames across folders one at a time).
constexpr size_t mindestens_parallel = 8;
constexpr int ersetzende_helfer = 3;

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
// skipped, however the name spells the top level ("./", "//") and in whatever case. Nor over the
// target's records: an entry of that name at the top level, as a file or a folder or below it,
// would replace them (an update packed from an installed folder carries them); a name in another
// case is the same where the file system takes it for the same.
bool wird_uebersprungen(const QString& name, bool gross_klein_gleich)
{
    const QStringList teile = namensteile(name);
    if (teile.isEmpty())
        return false;
    if (teile.front().compare(unistall_dateiname(), gross_klein_gleich ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0)
        return true;
    // Nor does an entry take a name of the program's temporary files, at any level: a cleanup
    // would take it for a leftover (an update packed from an installed folder may carry one).
    for (const QString& teil : teile)
        if (ist_eigener_name(teil))
            return true;
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
    return namensteile(name).join(QLatin1Char('/'));
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
    // The job is to stop (its window goes, or the program ends under it).
    bool abgebrochen() const { return log && log->ist_abgebrochen(); }

    bool liste();
    bool pruefe_wortbreite();

    bool installiere(const QString& ziel, CUninstallInfo* uninstall);
    void lies_alle();
    void nimm_auf(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e);
    QString dateischluessel(const QString& name) const;
    void plane_ordner(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e);
    void merke_ordner_vor(const QStringList& stufen, int ab);
    int lege_ordner_an(CEintragUnterwegs& e);
    struct COffen;
    std::optional<int> nenne(COffen& o, bool voraus);
    int ersetze_voraus(COffen& o);
    bool melde_eintrag(COffen& o);
    void nimm_offen(quint64 index, CEintragUnterwegs e);
    void uebergib_offene(bool jetzt, bool immer = false);
    bool nenner_hat_arbeit();
    bool nenner_frei() const;
    void schreibe_im_hintergrund();
    bool melde_alle_vorigen();
    void nenne_im_hintergrund();
    void beende_nenner();
    bool melde_genannte();
    void schliesse_ab(const COffen& o, bool benannt);
    void nimm_zurueck(const COffen& o);
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
    // entries to the workers (they write the files); this thread takes them in their order and
    // reports them after the writing thread has written their records and the naming thread has
    // made their folders and named their files.
    std::unique_ptr<CEntpackWerk> werk;
    std::thread leser;
    // The target folder, held open; it knows the folders below it.
    QString zielpfad;
    std::unique_ptr<CZielordner> zielordner;
    CNamensregeln regeln;
    // The reading thread's own. The folder part of the last entry, planned already: most
    // entries share it. The levels an entry planned for.
    QString letzter_ordner;
    QSet<QString> geplant;
    // The files given to the workers (by `dateischluessel`), each with its last entry: a folder
    // of that name waits until the file was reported, and a later file of the same path is
    // marked. Once a folder of the target was reached through a link, two paths may name one
    // file: every later file is marked.
    QHash<QString, quint64> dateien;
    bool ueber_link = false;

    // Nothing shows in the target before "uninstall.dat" names it, so that a run killed at any
    // moment leaves no file and no folder off the record. The reading thread records the folder
    // levels that do not exist yet (with the record each had before) as it plans them; a worker
    // writes a file complete and unnamed, in the deepest level of its folder that exists. The
    // reporting thread puts the file's record into the map and hands the entry on; the naming
    // thread writes the records, makes the folders and names the files.
    std::unique_ptr<CUninstallSchreiber> schreiber;
    QHash<QString, std::optional<CZeitVDN>> vorgemerkt;
    // An entry taken: whether its file was recorded, with the record its path had before. From
    // the naming thread: whether it took the entry, its code (none: the name was taken, and the
    // report names the file), whether the file took a name that no file held or replaced the
    // file that held it, and the folder in which the file takes its name.
    struct COffen
    {
        quint64 index;
        bool eingetragen;
        std::optional<CZeitVDN> vorher;
        CEintragUnterwegs e;
        bool vom_nenner = false;
        std::optional<int> benannt;
        bool neu = false;
        bool ersetzt = false;
        std::shared_ptr<COrdnerhandle> ordner;
    };
    // The reporting thread's own: the entries taken and not handed on; for the paths of the
    // marked files taken and not reported, how many; the records to restore once the last of
    // those is reported.
    std::deque<COffen> offen;
    // Back from the naming thread, being reported.
    std::deque<COffen> in_meldung;
    QHash<QString, int> gleichnamige;
    QHash<QString, std::optional<CZeitVDN>> erbe;
    // Between the reporting, the writing and the naming thread: the entries handed on; a part
    // whose records the writing thread wrote (or failed to: `ok`), which waits for the naming
    // thread (one at a time: the records of the next part are written while the naming thread
    // names this one); the entries done.
    struct CTeil
    {
        std::deque<COffen> eintraege;
        bool ok;
    };
    std::thread schreiber_faden;
    std::thread nenner;
    std::mutex nenn_mutex;
    std::condition_variable nenn_signal;
    std::deque<COffen> zu_nennen;
    std::optional<CTeil> geschrieben;
    std::deque<COffen> genannt;
    bool schreiber_arbeitet = false;
    bool schreiber_fertig = false;
    bool nenner_arbeitet = false;
    bool nenner_ende = false;
    // A write of the writing thread failed: nothing more is named until the reporting thread
    // wrote.
    bool nenn_fehler = false;
    // The naming thread's own: the folder made last, and its handle. While it names a part of
    // its entries, where the replacements wait; the helpers that make them side by side.
    QString letzter_gemachter;
    std::shared_ptr<COrdnerhandle> letzter_handle;
    std::vector<COffen*>* ersetzungen = nullptr;
    std::unique_ptr<CParallelschleife> ersetzer;
    // The reporting thread's own: the folders of the entries reported that this run made.
    QSet<QString> gemacht;
};

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

// Plans the folders of an entry (for a folder entry all its levels), which its worker makes:
// the levels that no entry before needed become this entry's own, recorded with it. A level of
// the name of a file still on its way waits until that file was reported, as in a run of one
// entry after the other.
void CZipLauf::plane_ordner(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e)
{
    const int ende = eintrag.name.lastIndexOf(QLatin1Char('/'));
    if (ende < 0)
        return;
    if (QStringView(eintrag.name).left(ende) == letzter_ordner) {
        // The text of the entry before: the many entries of one folder on their way hold one.
        e.ordner = letzter_ordner;
        e.wie_vorher = true;
        return;
    }
    e.ordner = eintrag.name.left(ende);
    const QString pfad = dateischluessel(e.ordner);
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
    if (gleichnamig)
        werk->warte_bis_gemeldet(letzte);
    // The names of files reported long ago (a window before this entry) are let go, so that the
    // list stays short.
    if (quint64(dateien.size()) > 2 * werk->fenster())
        for (auto it = dateien.begin(); it != dateien.end();)
            it = *it + werk->fenster() < index ? dateien.erase(it) : std::next(it);
    const QStringList stufen = CZielordner::stufen(e.ordner);
    int eigene_ab = 0;
    while (eigene_ab < stufen.size() && geplant.contains(stufen[eigene_ab]))
        ++eigene_ab;
    for (int i = eigene_ab; i < stufen.size(); ++i)
        geplant.insert(stufen[i]);
    merke_ordner_vor(stufen, eigene_ab);
    letzter_ordner = e.ordner;
}

// Records the levels from `ab` on that do not exist yet, before they may be made.
void CZipLauf::merke_ordner_vor(const QStringList& stufen, int ab)
{
    bool neu = false;
    for (int i = ab; i < stufen.size(); ++i) {
        const QString& stufe = stufen[i];
        const QByteArray relativ = QFile::encodeName(stufe.chopped(1));
        const int fd = oeffne_unterhalb(zielordner->handle(), relativ, O_PATH);
        if (fd >= 0) {
            // A folder there before this run: files of a killed one may wait in it.
            entferne_verwaiste_tempdateien(fd);
            ::close(fd);
            // Each level is looked at when it is planned first: one that is a link makes two paths
            // of the archive one file.
            struct stat st{};
            if (werk && ::fstatat(zielordner->handle(), relativ.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
                && S_ISLNK(st.st_mode)) {
                werk->vergleiche_nicht_mehr();
                ueber_link = true;
            }
            continue;
        }
        if (errno != ENOENT || vorgemerkt.contains(stufe))
            continue;
        vorgemerkt.insert(stufe, unistall_eintrag(stufe));
        ergaenze_unistall(stufe, laufzeit);
        neu = true;
    }
    if (neu)
        schreiber->vermerke_aenderung();
}

// The path a name stands for below the target, as the file system tells names apart.
QString CZipLauf::dateischluessel(const QString& name) const
{
    const QString pfad = ohne_leere_teile(name);
    return regeln.gross_klein_gleich ? pfad.toCaseFolded() : pfad;
}

// Takes an entry from the archive: what needs no worker is settled here.
void CZipLauf::nimm_auf(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e)
{
    e.name = eintrag.name;
    e.anzeige = maskiere_steuerzeichen(eintrag.name);
    if (wird_uebersprungen(eintrag.name, regeln.gross_klein_gleich)) {
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
    const QString pfad = dateischluessel(eintrag.name);
    e.nach_gleichem = ueber_link || dateien.contains(pfad);
    dateien.insert(pfad, index);
    // A later entry in the same folder must not pass by the file's name unchecked.
    const QString ordner = dateischluessel(letzter_ordner);
    if (ordner == pfad || ordner.startsWith(pfad + QLatin1Char('/')))
        letzter_ordner.clear();
}

// The reading thread: every entry into the window, in order, then how the reading ended.
void CZipLauf::lies_alle()
{
    CZipEintrag eintrag;
    int zipfehler = UNZ_OK;
    for (quint64 i = 0;; ++i) {
        if (i == anzahl || zipfehler != UNZ_OK) {
            werk->schliesse_lesen(i, zipfehler != UNZ_OK ? CLeseschluss::Zipfehler : CLeseschluss::Ende, zipfehler);
            return;
        }
        if (!werk->warte_auf_platz(i))
            return;
        try {
            if (const int code = archiv.lies_eintrag(eintrag); code != UNZ_OK) {
                werk->schliesse_lesen(i, CLeseschluss::Zipfehler, code);
                return;
            }
            CEintragUnterwegs e;
            nimm_auf(eintrag, i, e);
            werk->stelle_ein(i, std::move(e), eintrag);
            if (werk->ist_gestoppt())
                return;
            if (i + 1 < anzahl)
                zipfehler = archiv.naechster();
        } catch (...) {
            werk->schliesse_lesen(i, CLeseschluss::Ausnahme);
            return;
        }
    }
}

// Ends an install early: the reading thread and the workers stop, and the disk shows what was
// reported: a file of an entry not reported does not keep a name it took (its record goes back).
void CZipLauf::stoppe()
{
    if (!werk)
        return;
    werk->brich_ab();
    if (leser.joinable())
        leser.join();
    beende_nenner();
    {
        const std::lock_guard<std::mutex> lock(nenn_mutex);
        for (std::deque<COffen>* teil : {&in_meldung, &genannt, &offen})
            for (const COffen& o : *teil)
                nimm_zurueck(o);
        genannt.clear();
    }
    in_meldung.clear();
    offen.clear();
    werk->verwirf_uebrige();
    werk.reset();
}

// Makes the entry's folder, once the records name its levels: 0, or the errno of the level that
// failed.
int CZipLauf::lege_ordner_an(CEintragUnterwegs& e)
{
    if (e.wie_vorher && e.ordner == letzter_gemachter)
        return 0;
    letzter_gemachter.clear();
    letzter_handle.reset();
    const int fehler = zielordner->lege_an(e.ordner, e.angelegt, e.fehlstufe);
    if (fehler == 0)
        letzter_gemachter = e.ordner;
    return fehler;
}

// Makes an entry's folder and names its file, after every earlier entry's: its code. With
// `voraus` (the naming thread, ahead of the report) a file takes only a name that no file holds,
// or replaces the file that its worker found there and made it ready for (the records name the
// path either way, and an update replaces most of its files: the reporting thread is spared
// their renames); else nothing is returned, and the report names the file. A file after one of
// the same path is always named by the report: the earlier one may have been left to the report,
// which names it later, and the later entry must win.
std::optional<int> CZipLauf::nenne(COffen& o, bool voraus)
{
    CEintragUnterwegs& e = o.e;
    int code = e.code;
    if (e.gilt() && !e.ordner.isNull()) {
        if (const int fehler = lege_ordner_an(e); fehler != 0) {
            code = verlaesst_ordner(fehler) ? ENTPACK_NAME : ENTPACK_AUSGABE;
            if (code == ENTPACK_NAME)
                e.fehlstufe.clear();
        }
    }
    if (!e.fuer_arbeiter() || code != ENTPACK_OK)
        return code;
    if (e.ergebnis != ENTPACK_OK)
        return e.ergebnis;
    if (e.fertig.wartet_auf_ordner()) {
        // Files of one folder come one after the other: its handle is kept for them.
        if (!letzter_handle && !letzter_gemachter.isNull())
            letzter_handle = std::make_shared<COrdnerhandle>(oeffne_unterhalb(
                zielordner->handle(), QFile::encodeName(letzter_gemachter), O_PATH | O_DIRECTORY));
        o.ordner = letzter_handle;
    } else {
        o.ordner = e.fertig.eigener_ordner();
    }
    const int ordner = o.ordner ? o.ordner->fd() : -1;
    if (!voraus)
        return e.fertig.benenne(ordner, zielordner->handle());
    if (e.nach_gleichem)
        return std::nullopt;
    if (e.fertig.ersetzt_vorhandene()) {
        if (ersetzungen) {
            ersetzungen->push_back(&o);
            return std::nullopt;
        }
        return ersetze_voraus(o);
    }
    o.neu = e.fertig.benenne_neu(ordner);
    return o.neu ? std::optional<int>(ENTPACK_OK) : std::nullopt;
}

// The naming thread replaces the file that held the name of the entry's file, which its worker
// made ready for that: its code. A failure's diagnostics are printed with the entry's report.
int CZipLauf::ersetze_voraus(COffen& o)
{
    const CEntpackAusgabeSammler sammler(o.e.ausgabe);
    const int code = o.e.fertig.benenne(o.ordner ? o.ordner->fd() : -1, zielordner->handle());
    o.ersetzt = code == ENTPACK_OK;
    return code;
}

// Reports one entry, named by the naming thread or now. True when its file has its name.
bool CZipLauf::melde_eintrag(COffen& o)
{
    CEintragUnterwegs& e = o.e;
    const int code = !o.vom_nenner ? *nenne(o, false)
                     : o.benannt   ? *o.benannt
                                   : e.fertig.benenne(o.ordner ? o.ordner->fd() : -1, zielordner->handle());
    o.ordner.reset();
    const quint64 index = o.index;
    // A level made that was there when it was planned (another process removed it meanwhile) is
    // recorded now.
    for (const QString& relativ : e.angelegt)
        if (!gemacht.contains(relativ)) {
            gemacht.insert(relativ);
            if (!unistall_eintrag(relativ))
                ergaenze_unistall(relativ, laufzeit);
        }
    if (e.fuer_arbeiter() && !e.ausgabe.isEmpty())
        std::fwrite(e.ausgabe.constData(), 1, size_t(e.ausgabe.size()), stdout);
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
    const bool eingetragen = e.fuer_arbeiter() && e.ergebnis == ENTPACK_OK && !e.fertig.ist_leer();
    std::optional<CZeitVDN> vorher;
    if (eingetragen) {
        // A path that an entry before this one set may still wait for its line: only a path on
        // record before the run leaves its line to the final write.
        bool spaeter = false;
        vorher = e.nach_gleichem ? ergaenze_unistall(e.name, laufzeit) : ergaenze_unistall(e.name, laufzeit, spaeter);
        if (!spaeter)
            schreiber->vermerke_aenderung();
        if (e.nach_gleichem)
            ++gleichnamige[e.name];
    }
    offen.push_back(COffen{index, eingetragen, std::move(vorher), std::move(e)});
}

// The record of a reported file stays. That of a file that did not take its name goes back to
// what the path had before this run's entries of it: at once, or, while a later entry of the
// path waits, when that one is reported.
void CZipLauf::schliesse_ab(const COffen& o, bool benannt)
{
    const QString& name = o.e.name;
    if (o.e.nach_gleichem) {
        const auto it = gleichnamige.find(name);
        if (it != gleichnamige.end() && --*it == 0)
            gleichnamige.erase(it);
    }
    if (benannt) {
        erbe.remove(name);
        return;
    }
    const std::optional<CZeitVDN> vorher = erbe.contains(name) ? erbe.take(name) : o.vorher;
    if (gleichnamige.contains(name))
        erbe.insert(name, vorher);
    else
        setze_unistall_zurueck(name, vorher);
}

// Hands the entries taken to the writing thread when it is idle and no part waits for the naming
// thread, and `jetzt` (with `immer` even while they work, for the end of the run).
void CZipLauf::uebergib_offene(bool jetzt, bool immer)
{
    if (offen.empty() || !jetzt)
        return;
    {
        const std::lock_guard<std::mutex> lock(nenn_mutex);
        if (!immer && (schreiber_arbeitet || !zu_nennen.empty() || geschrieben))
            return;
        for (COffen& o : offen)
            zu_nennen.push_back(std::move(o));
    }
    offen.clear();
    nenn_signal.notify_all();
}

bool CZipLauf::nenner_hat_arbeit()
{
    const std::lock_guard<std::mutex> lock(nenn_mutex);
    return !nenner_frei() || !genannt.empty();
}

// Whether the writing and the naming thread have done all they were given (under the lock).
bool CZipLauf::nenner_frei() const
{
    return !schreiber_arbeitet && !nenner_arbeitet && zu_nennen.empty() && !geschrieben;
}

// Reports every entry taken: the naming thread names their files, and this thread reports them.
// False when their records could not be written.
bool CZipLauf::melde_alle_vorigen()
{
    for (;;) {
        if (!melde_genannte())
            return false;
        uebergib_offene(true);
        std::unique_lock<std::mutex> lock(nenn_mutex);
        if (offen.empty() && nenner_frei() && genannt.empty())
            return true;
        // Woken when the naming thread has done what it was given; what it names in parts comes
        // sooner.
        nenn_signal.wait_for(lock, std::chrono::milliseconds(1));
    }
}

// The writing thread: writes the records of the entries handed over (they were put into the map
// before), and passes them on to the naming thread, one part at a time. Only the reporting thread
// reports; a write that fails names nothing, and the reporting thread takes it from there.
void CZipLauf::schreibe_im_hintergrund()
{
    std::unique_lock<std::mutex> lock(nenn_mutex);
    for (;;) {
        nenn_signal.wait(lock, [this] { return (!zu_nennen.empty() && !geschrieben) || (nenner_ende && zu_nennen.empty()); });
        if (zu_nennen.empty()) {
            schreiber_fertig = true;
            nenn_signal.notify_all();
            return;
        }
        CTeil teil{std::deque<COffen>(), false};
        teil.eintraege.swap(zu_nennen);
        schreiber_arbeitet = true;
        const bool vorher_fehler = nenn_fehler;
        lock.unlock();
        // Reported by the reporting thread's own write: this thread may not report. Its writes
        // add to the last one; the records in their final order are written by the reporting
        // thread at the end, where the memory of the lines it recorded is free for them (a thread
        // of its own would take new memory for the whole file).
        try {
            teil.ok = !vorher_fehler && schreiber->schreibe(false);
        } catch (...) {
            teil.ok = false;
        }
        lock.lock();
        geschrieben = std::move(teil);
        schreiber_arbeitet = false;
        nenn_fehler = nenn_fehler || !geschrieben->ok;
        nenn_signal.notify_all();
    }
}

// The naming thread: makes the folders and names the files of the parts whose records were
// written, in the archive's order.
void CZipLauf::nenne_im_hintergrund()
{
    std::unique_lock<std::mutex> lock(nenn_mutex);
    for (;;) {
        nenn_signal.wait(lock, [this] { return geschrieben || schreiber_fertig; });
        if (!geschrieben)
            return;
        std::deque<COffen> stapel = std::move(geschrieben->eintraege);
        const bool ok = geschrieben->ok;
        geschrieben.reset();
        nenner_arbeitet = true;
        nenn_signal.notify_all();
        lock.unlock();
        // Named in parts, so that the reporting thread reports while the rest are named.
        size_t fertig = 0;
        while (fertig < stapel.size()) {
            const size_t bis = ok ? qMin(stapel.size(), fertig + 256) : stapel.size();
            // The folders are made and new names taken in order; the replacements (the most of an
            // update, each a rename) wait and run side by side after them: no two of them name
            // one file (see `nenne`).
            std::vector<COffen*> wartend;
            ersetzungen = &wartend;
            for (size_t k = fertig; ok && k < bis; ++k) {
                try {
                    stapel[k].vom_nenner = true;
                    stapel[k].benannt = nenne(stapel[k], true);
                } catch (...) {
                    stapel[k].benannt = ENTPACK_SCHREIBEN;
                }
            }
            ersetzungen = nullptr;
            const auto ersetze = [this, &wartend](size_t k) {
                COffen& o = *wartend[k];
                try {
                    o.benannt = ersetze_voraus(o);
                } catch (...) {
                    o.benannt = ENTPACK_SCHREIBEN;
                }
            };
            if (wartend.size() < mindestens_parallel) {
                for (size_t k = 0; k < wartend.size(); ++k)
                    ersetze(k);
            } else {
                if (!ersetzer)
                    ersetzer = std::make_unique<CParallelschleife>(ersetzende_helfer);
                ersetzer->fuer_alle(wartend.size(), ersetze);
            }
            const std::lock_guard<std::mutex> teil_lock(nenn_mutex);
            for (; fertig < bis; ++fertig)
                genannt.push_back(std::move(stapel[fertig]));
        }
        lock.lock();
        nenner_arbeitet = false;
        nenn_signal.notify_all();
    }
}

// Waits until the writing and the naming thread have done what they were given, and ends them.
void CZipLauf::beende_nenner()
{
    if (!nenner.joinable() && !schreiber_faden.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(nenn_mutex);
        nenner_ende = true;
    }
    nenn_signal.notify_all();
    for (std::thread* faden : {&schreiber_faden, &nenner})
        if (faden->joinable())
            faden->join();
}

// Reports, in the archive's order, the entries that came back from the naming thread. Where it
// could not write their records the reporting thread writes them itself (which reports why) and
// names the files; when that fails too none of them nor any entry taken after them takes its
// name, their records go back, and the result is false.
bool CZipLauf::melde_genannte()
{
    {
        const std::lock_guard<std::mutex> lock(nenn_mutex);
        if (genannt.empty())
            return true;
        for (COffen& o : genannt)
            in_meldung.push_back(std::move(o));
        genannt.clear();
        if (nenn_fehler && nenner_frei())
            nenn_fehler = false;
    }
    while (!in_meldung.empty()) {
        if (!in_meldung.front().vom_nenner && !schreiber->alles_geschrieben() && !schreiber->schreibe()) {
            for (std::deque<COffen>* teil : {&in_meldung, &offen})
                for (const COffen& rest : *teil)
                    nimm_zurueck(rest);
            in_meldung.clear();
            offen.clear();
            return false;
        }
        // Out of the list before it is reported: should the report throw, the file stays.
        COffen o = std::move(in_meldung.front());
        in_meldung.pop_front();
        const bool benannt = melde_eintrag(o);
        if (o.eingetragen)
            schliesse_ab(o, benannt);
        werk->ist_gemeldet(o.index);
    }
    return true;
}

// The entry taken does not stay: a file the naming thread gave a new name goes again, and the
// record goes back. A file that replaced another cannot give it back: it stays, on record.
void CZipLauf::nimm_zurueck(const COffen& o)
{
    if (o.neu && o.ordner) {
        const QString& name = o.e.name;
        ::unlinkat(o.ordner->fd(), QFile::encodeName(name.mid(name.lastIndexOf(QLatin1Char('/')) + 1)).constData(), 0);
    }
    if (o.eingetragen)
        schliesse_ab(o, o.ersetzt);
}

// The folders recorded ahead that this run did not make go off the record again (an entry
// failed or the run stopped before).
void CZipLauf::nimm_vormerkungen_zurueck()
{
    // Deepest first: a folder made ahead goes again when it is empty; its record stays while it
    // is there.
    QStringList uebrig;
    for (auto it = vorgemerkt.cbegin(); it != vorgemerkt.cend(); ++it)
        if (!gemacht.contains(it.key()))
            uebrig << it.key();
    std::sort(uebrig.begin(), uebrig.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& stufe : uebrig) {
        if (zielordner)
            zielordner->entferne_leeren(stufe);
        // Something else of that name (a file) is no folder of this run's either.
        const int fd = zielordner ? oeffne_unterhalb(zielordner->handle(), QFile::encodeName(stufe.chopped(1)),
                                                     O_PATH | O_DIRECTORY)
                                  : -1;
        if (fd >= 0)
            ::close(fd);
        else
            setze_unistall_zurueck(stufe, vorgemerkt.value(stufe));
    }
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
    // earlier install could not be read: they would be lost. Another job of this process that
    // changes the target is waited for: the two would replace each other's files and share the
    // limit of open files that each plans with.
    const CZielsperre sperre(ziel, CZielsperre::aendern, [this](const QString& text) { melde(5, text); });
    QString grund = !sperre.gehalten() ? sperre.gib_fehlertext()
                    : uninstall        ? uninstall->gib_ladefehler()
                                       : QString();
    // A target folder that is not there is said once, before any entry; so is one where
    // something else stands at every name of the program's folder of temporary files.
    if (grund.isEmpty() && anzahl > 0) {
        zielordner = std::make_unique<CZielordner>(ziel);
        grund = zielordner->handle() < 0 ? zielordner_fehlertext(ziel, zielordner->gib_oeffnungsfehler())
                                         : tempordner_fehlertext(ziel, zielordner->handle());
    }
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
            // Decided once, before any worker writes: should the workers find it out each for
            // itself, several would make their files under temporary names.
            regeln = pruefe_namensregeln(zielordner->handle());
            // What killed runs left: here, and in every folder of the target the run reaches.
            entferne_verwaiste_tempdateien(zielordner->handle());
            werk = std::make_unique<CEntpackWerk>(*archiv.gib_eingabe(), ziel, gib_entpack_arbeiter(), regeln.unbenannt,
                                                  !regeln.gross_klein_gleich);
            leser = std::thread([this] { lies_alle(); });
            schreiber_faden = std::thread([this] { schreibe_im_hintergrund(); });
            nenner = std::thread([this] { nenne_im_hintergrund(); });
        }
        CEintragUnterwegs e;
        CLeseschluss schluss = CLeseschluss::Ende;
        int code = UNZ_OK;
        bool aufgezeichnet = true;
        // The entries handed on at a time, at the least (unless due): each costs a write.
        constexpr size_t uebergabe = 512;
        bool gestoppt = false;
        for (quint64 i = 0; werk && aufgezeichnet;) {
            if (abgebrochen()) {
                gestoppt = true;
                break;
            }
            // While files are on their way to their names the wait for the next entry is short:
            // what the naming thread has done is reported soon, and the files waiting are
            // handed to it when their records are due or the reading side waits. Else it is
            // long, yet bounded, so that a stop is seen.
            if (!werk->hole(i, e, schluss, code, offen.empty() && !nenner_hat_arbeit() ? 100 : 1)) {
                if (schluss != CLeseschluss::Keiner)
                    break;
                aufgezeichnet = melde_genannte();
                uebergib_offene(werk->lesen_wartet() || schreiber->ist_faellig());
                continue;
            }
            if (e.ergebnis == ENTPACK_VOLL && !e.endgueltig) {
                // The file system ran out of room: once every entry before it is reported
                // (an update's old files are gone then), it is written again with fewer on
                // their way.
                aufgezeichnet = melde_alle_vorigen();
                if (aufgezeichnet)
                    werk->wiederhole(i, std::move(e));
                e = CEintragUnterwegs();
                continue;
            }
            nimm_offen(i++, std::move(e));
            e = CEintragUnterwegs();
            aufgezeichnet = melde_genannte();
            uebergib_offene(offen.size() >= uebergabe || schreiber->ist_faellig());
        }
        if (aufgezeichnet && !gestoppt) {
            uebergib_offene(true, true);
            beende_nenner();
            aufgezeichnet = melde_genannte();
        }
        if (!aufgezeichnet || gestoppt) {
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
    beende_nenner();
    werk.reset();
    offen.clear();
    archiv.schliesse();
    nimm_vormerkungen_zurueck();
    if (zielordner)
        entferne_tempordner(zielordner->handle());
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
