// The install's reporting side: the entries taken from the workers and recorded, handed to the writing thread and reported in order.
#include "ziplauf.h"
#include "cuninstallinfo.h"
#include "dateien.h"
#include "entpacken.h"

#include <QFile>

#include <chrono>
#include <cstdio>
#include <unistd.h>
#include <utility>

namespace importzip {

// Reports one entry, named by the naming thread or now. True when its file has its name.
bool CZipLauf::melde_eintrag(COffen& o)
{
    CEintragUnterwegs& e = o.e;
    const int code = !o.vom_nenner ? *nenne(o, false) : o.benannt ? *o.benannt : benenne_dort(o);
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
        melde(2, mit_systemfehler(text_ordnerfehler.arg(maskiere_steuerzeichen(zielpfad + QLatin1Char('/') + e.fehlstufe.chopped(1))),
                                  e.ordnerfehler));
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
// the file waits for its name until a write has taken the record. The entry is in the list
// before its record is made: should memory run out, a stop finds every record it has to take back.
void CZipLauf::nimm_offen(quint64 index, CEintragUnterwegs e)
{
    const bool eintragen = e.fuer_arbeiter() && e.ergebnis == ENTPACK_OK && !e.fertig.ist_leer();
    offen.push_back(COffen{index, false, std::nullopt, std::move(e)});
    if (!eintragen)
        return;
    COffen& o = offen.back();
    // A path that an entry before this one set may still wait for its line: only a path on
    // record before the run leaves its line to the final write.
    bool spaeter = false;
    o.vorher = o.e.nach_gleichem ? ergaenze_unistall(o.e.name, laufzeit) : ergaenze_unistall(o.e.name, laufzeit, spaeter);
    o.eingetragen = true;
    if (!spaeter)
        schreiber->vermerke_aenderung();
    if (o.e.nach_gleichem)
        ++gleichnamige[o.e.name];
}

// Moves the first `anzahl` entries of one list to the end of another. An entry leaves the first
// only once it is in the other: should memory run out, each is in one of them.
void CZipLauf::gib_weiter(std::deque<COffen>& von, std::deque<COffen>& nach, size_t anzahl)
{
    for (; anzahl > 0 && !von.empty(); --anzahl) {
        nach.push_back(std::move(von.front()));
        von.pop_front();
    }
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
        if (!immer && (schreiber_arbeitet || !zu_nennen.empty() || geschrieben_da))
            return;
        gib_weiter(offen, zu_nennen, offen.size());
    }
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
    return !schreiber_arbeitet && !nenner_arbeitet && zu_nennen.empty() && !geschrieben_da;
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

// Reports, in the archive's order, the entries that came back from the naming thread. Where it
// could not write their records the reporting thread writes them itself (which reports why) and
// names the files; when that fails too none of them nor any entry taken after them takes its
// name, their records go back, and the result is false. What ended the writing or the naming
// thread is thrown here.
bool CZipLauf::melde_genannte()
{
    {
        std::unique_lock<std::mutex> lock(nenn_mutex);
        if (faden_ausnahme) {
            const std::exception_ptr grund = faden_ausnahme;
            lock.unlock();
            std::rethrow_exception(grund);
        }
        if (genannt.empty())
            return true;
        gib_weiter(genannt, in_meldung, genannt.size());
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

} // namespace importzip
