// One call of the install routine (importzip.h) and what its threads share, for the files that hold each mode's and each thread's work.
#pragma once

#include "ccbaselog.h"
#include "centpackwerk.h"
#include "cqstring.h"
#include "cuninstallschreiber.h"
#include "czeit.h"
#include "klassen.h"
#include "melde.h"
#include "parallelschleife.h"
#include "sitzungsende.h"
#include "steuerzeichen.h"
#include "ziparchiv.h"
#include "zielordner.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QString>

#include <climits>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <sys/stat.h>

class CUninstallInfo;

namespace importzip {

// The texts of the install routine, in the translation context "UpdaterMainWindow" (a class of its
// own, so that lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(UpdaterMainWindow)
};

inline int als_int(quint64 wert)
{
    return static_cast<int>(qMin<quint64>(wert, INT_MAX));
}

// The file names of the updater's own executables.
const QStringList& eigene_programme();

// One call of ImportZIP_installation: the archive, the log window, the run time and the result.
// Its work lies in a file for each mode and each thread of an install: zipliste.cpp lists,
// wortbreitenpruefung.cpp checks; importzip.cpp runs an install, lesefaden.cpp is its reading
// thread, meldefaden.cpp the reporting side, schreibfaden.cpp the writing and nennfaden.cpp the
// naming thread.
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
    // The job is to stop (its window goes, the program ends under it, or the session ends).
    bool abgebrochen() const { return job_angehalten(log); }

    bool liste();
    bool pruefe_wortbreite();

    bool installiere(const QString& ziel, CUninstallInfo* uninstall);
    void lies_alle();
    void nimm_auf(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e);
    QString dateischluessel(const QString& name) const;
    void plane_ordner(const CZipEintrag& eintrag, quint64 index, CEintragUnterwegs& e);
    void merke_ordner_vor(const QStringList& stufen, int ab);
    bool ohne_unterordner(int fd, const struct stat& st);
    int lege_ordner_an(CEintragUnterwegs& e);
    struct COffen;
    std::optional<int> nenne(COffen& o, bool voraus);
    int pruefe_ordner(const COffen& o, bool voraus);
    int benenne_dort(COffen& o);
    int ersetze_voraus(COffen& o);
    bool melde_eintrag(COffen& o);
    static void gib_weiter(std::deque<COffen>& von, std::deque<COffen>& nach, size_t anzahl);
    void nimm_offen(quint64 index, CEintragUnterwegs e);
    void uebergib_offene(bool jetzt, bool immer = false);
    bool nenner_hat_arbeit();
    bool nenner_frei() const;
    void schreibe_im_hintergrund();
    bool melde_alle_vorigen();
    void nenne_im_hintergrund();
    void nenne_teil(size_t teil);
    void im_faden(void (CZipLauf::*arbeit)());
    bool warte_auf_werk();
    void gib_werk_frei(bool bereit);
    void beende_nenner();
    bool melde_genannte();
    void schliesse_ab(const COffen& o, bool benannt);
    void nimm_zurueck(const COffen& o);
    void nimm_vormerkungen_zurueck();
    void stoppe();
    void ausnahme(std::exception_ptr grund);

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
    // entries share it, its key (see `dateischluessel`) and the device its files land on. The
    // levels an entry planned for, each with the device of the file system its files land on
    // (its own where it exists, else the one of the level above, the target's at the top).
    QString letzter_ordner;
    QString letzter_schluessel;
    std::optional<dev_t> letztes_geraet;
    QHash<QString, std::optional<dev_t>> geplant;
    std::optional<dev_t> wurzel_geraet;
    // For each file system of the target's folders whether a folder's count of links counts the
    // folders in it (see `ohne_unterordner`).
    QHash<dev_t, bool> zaehlt_unterordner;
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
        std::optional<int> benannt = std::nullopt;
        bool neu = false;
        bool ersetzt = false;
        std::shared_ptr<COrdnerhandle> ordner = nullptr;
    };
    // The reporting thread's own: the entries taken and not handed on; for the paths of the
    // marked files taken and not reported, how many; the records to restore once the last of
    // those is reported.
    std::deque<COffen> offen;
    // Back from the naming thread, being reported.
    std::deque<COffen> in_meldung;
    QHash<QString, int> gleichnamige;
    QHash<QString, std::optional<CZeitVDN>> erbe;
    // Between the reporting, the writing and the naming thread: the entries handed on; the part
    // whose records the writing thread writes; a part whose records it wrote (`geschrieben_da`,
    // or failed to: not `geschrieben_ok`), which waits for the naming thread (one at a time: the
    // records of the next part are written while the naming thread names this one); the part
    // the naming thread names; the entries done. Parts change hands by swapping.
    std::thread schreiber_faden;
    std::thread nenner;
    std::mutex nenn_mutex;
    std::condition_variable nenn_signal;
    std::deque<COffen> zu_nennen;
    std::deque<COffen> in_schrift;
    std::deque<COffen> geschrieben;
    bool geschrieben_da = false;
    bool geschrieben_ok = false;
    std::deque<COffen> in_nennung;
    std::deque<COffen> genannt;
    // What ended the writing or the naming thread (memory ran out): the reporting thread stops
    // the run with it. What ended the reading thread: its reading ends there. Whether the
    // workers run (1), or could not be started (-1): the reading thread waits for them.
    std::exception_ptr faden_ausnahme;
    std::exception_ptr leser_ausnahme;
    int werk_zustand = 0;
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
    // The naming thread's own: the folder handles checked in the part it names (see `pruefe_ordner`).
    QHash<const COrdnerhandle*, int> geprueft;
    // The reporting thread's own: the folders of the entries reported that this run made.
    QSet<QString> gemacht;
};

} // namespace importzip
