// The install routine's entry, and the install run: its set-up, the loop of the reporting thread, the stop and the end.
#include "importzip.h"
#include "ziplauf.h"
#include "ausnahmetext.h"
#include "ccat.h"
#include "cuninstallinfo.h"
#include "czielsperre.h"
#include "namensfaltung.h"

#include <QFile>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace importzip {

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
        // In the archive's order. Where a thread ended early, entries still lie in its lists.
        const std::lock_guard<std::mutex> lock(nenn_mutex);
        for (std::deque<COffen>* teil : {&in_meldung, &genannt, &in_nennung, &geschrieben, &in_schrift, &zu_nennen, &offen}) {
            for (const COffen& o : *teil)
                nimm_zurueck(o);
            teil->clear();
        }
        geschrieben_da = false;
    }
    werk->verwirf_uebrige();
    werk.reset();
}

// The folders recorded ahead that this run did not make go off the record again (an entry
// failed or the run stopped before).
void CZipLauf::nimm_vormerkungen_zurueck()
{
    // Deepest first: a folder made ahead goes again when it is empty; its record stays while it
    // is there, as the run made it.
    QStringList uebrig;
    for (auto it = vorgemerkt.cbegin(); it != vorgemerkt.cend(); ++it)
        if (!gemacht.contains(it.key()))
            uebrig << it.key();
    ordne_innen_zuerst(uebrig);
    for (const QString& stufe : uebrig)
        // Something else at its name (a file, a folder put where the run's was) is not the run's.
        if (!zielordner || !zielordner->entferne_wenn_leer(stufe))
            setze_unistall_zurueck(stufe, vorgemerkt.value(stufe));
    vorgemerkt.clear();
}

// An exception ended the run: an error, and a line that says why (that memory ran out, that no
// thread could be started).
void CZipLauf::ausnahme(std::exception_ptr grund)
{
    CQCat::gib_instanz()->error(CQString("Exception bei Installieren aus ZIP"));
    if (grund)
        melde(2, ausnahmetext(grund));
    ++fehlerzahl;
    fehler_marke();
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
    // limit of open files that each plans with. The records are read afresh under the hold.
    const std::unique_ptr<CZielsperre> sperre =
        halte_ziel(ziel, CZielsperre::aendern, uninstall, [this](const QString& text) { melde(5, text); },
                   [this] { return abgebrochen(); });
    QString grund = sperre->gehalten() ? QString() : sperre->gib_fehlertext();
    // A target folder that is not there (or no folder) is said once, before any entry and before
    // its records, which cannot be read there either.
    if (grund.isEmpty() && anzahl > 0) {
        zielordner = std::make_unique<CZielordner>(ziel);
        if (zielordner->handle() < 0)
            grund = zielordner_fehlertext(ziel, zielordner->gib_oeffnungsfehler());
    }
    if (grund.isEmpty() && uninstall)
        grund = gib_unistall_ladefehler();
    // So is one where something else stands at every name of the program's folder of temporary
    // files.
    if (grund.isEmpty() && zielordner)
        grund = tempordner_fehlertext(ziel, zielordner->handle());
    if (!grund.isEmpty()) {
        archiv.schliesse();
        melde(2, grund);
        melde(2, Text::tr("Installation fehlerhaft !"));
        fehler_marke();
        fortschritt(anzahl);
        return false;
    }

    // The records go to the folder whose files the run writes, should it be renamed meanwhile.
    schreiber = std::make_unique<CUninstallSchreiber>(uninstall, zielordner ? zielordner->handle() : -1);
    bool ergebnis = true;
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
            // The run's own threads first, then as many workers as the system gives (one at the
            // least): under a limit of threads the run makes do with fewer workers. Where not even
            // these start, the exception says why. The reading thread waits for the workers.
            CEntpackWerk::reserviere_handles(gib_entpack_arbeiter());
            schreiber_faden = std::thread([this] { im_faden(&CZipLauf::schreibe_im_hintergrund); });
            nenner = std::thread([this] { im_faden(&CZipLauf::nenne_im_hintergrund); });
            leser = std::thread([this] {
                if (warte_auf_werk())
                    lies_alle();
            });
            try {
                werk = std::make_unique<CEntpackWerk>(*archiv.gib_eingabe(), ziel, gib_entpack_arbeiter(),
                                                      regeln.unbenannt, !regeln.gross_klein_gleich);
            } catch (...) {
                gib_werk_frei(false);
                throw;
            }
            gib_werk_frei(true);
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
            ausnahme(leser_ausnahme);
        }
    } catch (...) {
        // An exception while an entry was reported, or from the writing or the naming thread:
        // nothing after it is written.
        const std::exception_ptr grund = std::current_exception();
        try {
            stoppe();
        } catch (...) {
        }
        ausnahme(grund);
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

} // namespace importzip

bool ImportZIP_installation(CCBaseLog* log, int* modus, const QString& archiv, const QString& ziel,
                            CUninstallInfo* uninstall)
{
    if (!modus || *modus < 0 || *modus > 2)
        return true;
    importzip::CZipLauf lauf(log, archiv);
    return lauf.fuehre_aus(*modus, ziel, uninstall);
}
