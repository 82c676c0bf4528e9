// The install's naming thread: makes the entries' folders and names their files once their records are written.
#include "ziplauf.h"
#include "entpacken.h"

#include <QFile>

#include <fcntl.h>

namespace importzip {

namespace {

// The replacements of a part of the naming thread's entries run side by side from this many on,
// on this many helpers besides the naming thread: on a disk a rename waits on the file system's
// journal more than it computes, and a few at once overlap those waits (in memory they gain
// little: the kernel renames across folders one at a time).
constexpr size_t mindestens_parallel = 8;
constexpr int ersetzende_helfer = 3;

} // namespace

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
            e.ordnerfehler = fehler;
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
        // Files of one folder come one after the other: its handle is kept for them. Opened by
        // its path in this part, it is checked for this part (see `pruefe_ordner`).
        if (!letzter_handle && !letzter_gemachter.isNull()) {
            letzter_handle = std::make_shared<COrdnerhandle>(oeffne_unterhalb(
                zielordner->handle(), QFile::encodeName(letzter_gemachter), O_PATH | O_DIRECTORY));
            if (voraus)
                geprueft.insert(letzter_handle.get(), ENTPACK_OK);
        }
        o.ordner = letzter_handle;
    } else {
        o.ordner = e.fertig.eigener_ordner();
    }
    if (!voraus)
        return benenne_dort(o);
    if (const int code = pruefe_ordner(o, true); code != ENTPACK_OK) {
        e.fertig.verwirf();
        return code;
    }
    const int ordner = o.ordner ? o.ordner->fd() : -1;
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

// Whether the folder in which the entry's file is to take its name, a handle kept across entries
// (a worker's, or the naming thread's for the folder it made last), still is the one its path
// names below the target: ENTPACK_OK, or the code of the entry. A folder moved out of the target
// meanwhile is no longer the target's, and no file takes a name in it. The naming thread checks
// each handle once in each part of its entries (`voraus`; the replacements of a part follow its
// check; one it opened by the path in the part is checked by that), the report at each naming.
int CZipLauf::pruefe_ordner(const COffen& o, bool voraus)
{
    if (!o.ordner || o.ordner->fd() < 0)
        return ENTPACK_OK;
    if (voraus && geprueft.contains(o.ordner.get()))
        return geprueft.value(o.ordner.get());
    const int code = ist_noch_unterhalb(zielordner->handle(), QFile::encodeName(o.e.ordner), o.ordner->fd())
                         ? ENTPACK_OK
                     : errno == ENOENT ? ENTPACK_VERSCHOBEN
                                       : ENTPACK_AUSGABE;
    if (voraus)
        geprueft.insert(o.ordner.get(), code);
    return code;
}

// Names the entry's file now, in the folder its naming took, while that is still the target's:
// its code.
int CZipLauf::benenne_dort(COffen& o)
{
    if (const int code = pruefe_ordner(o, false); code != ENTPACK_OK) {
        o.e.fertig.verwirf();
        return code;
    }
    return o.e.fertig.benenne(o.ordner ? o.ordner->fd() : -1, zielordner->handle());
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

// The naming thread: makes the folders and names the files of the parts whose records were
// written, in the archive's order.
void CZipLauf::nenne_im_hintergrund()
{
    std::unique_lock<std::mutex> lock(nenn_mutex);
    for (;;) {
        nenn_signal.wait(lock, [this] { return faden_ausnahme || geschrieben_da || schreiber_fertig; });
        if (faden_ausnahme || !geschrieben_da)
            return;
        in_nennung.swap(geschrieben);
        geschrieben_da = false;
        const bool ok = geschrieben_ok;
        nenner_arbeitet = true;
        nenn_signal.notify_all();
        lock.unlock();
        // Named in parts, so that the reporting thread reports while the rest are named. An
        // entry leaves the part only once it is in the list of those named.
        while (!in_nennung.empty()) {
            const size_t teil = ok ? qMin<size_t>(in_nennung.size(), 256) : in_nennung.size();
            if (ok)
                nenne_teil(teil);
            const std::lock_guard<std::mutex> teil_lock(nenn_mutex);
            gib_weiter(in_nennung, genannt, teil);
        }
        lock.lock();
        nenner_arbeitet = false;
        nenn_signal.notify_all();
    }
}

// Names the first `teil` entries of the part being named. The folders are made and new names
// taken in order; the replacements (the most of an update, each a rename) wait and run side by
// side after them: no two of them name one file (see `nenne`).
void CZipLauf::nenne_teil(size_t teil)
{
    std::vector<COffen*> wartend;
    ersetzungen = &wartend;
    geprueft.clear();
    for (size_t k = 0; k < teil; ++k) {
        COffen& o = in_nennung[k];
        try {
            o.vom_nenner = true;
            o.benannt = nenne(o, true);
        } catch (...) {
            o.benannt = gib_ausnahmecode(std::current_exception());
        }
    }
    ersetzungen = nullptr;
    const auto ersetze = [this, &wartend](size_t k) {
        COffen& o = *wartend[k];
        try {
            o.benannt = ersetze_voraus(o);
        } catch (...) {
            o.benannt = gib_ausnahmecode(std::current_exception());
        }
    };
    if (wartend.size() < mindestens_parallel) {
        for (size_t k = 0; k < wartend.size(); ++k)
            ersetze(k);
        return;
    }
    if (!ersetzer)
        ersetzer = std::make_unique<CParallelschleife>(ersetzende_helfer);
    ersetzer->fuer_alle(wartend.size(), ersetze);
}

// Runs the work of the writing or the naming thread. An exception that leaves it (memory ran out)
// ends the run as an error: it is kept for the reporting thread, which stops the run with it,
// and the other threads stop waiting for this one.
void CZipLauf::im_faden(void (CZipLauf::*arbeit)())
{
    try {
        (this->*arbeit)();
    } catch (...) {
        const std::lock_guard<std::mutex> lock(nenn_mutex);
        if (!faden_ausnahme)
            faden_ausnahme = std::current_exception();
        nenn_signal.notify_all();
    }
}

// Waits until the workers run: false when they could not be started.
bool CZipLauf::warte_auf_werk()
{
    std::unique_lock<std::mutex> lock(nenn_mutex);
    nenn_signal.wait(lock, [this] { return werk_zustand != 0; });
    return werk_zustand > 0;
}

void CZipLauf::gib_werk_frei(bool bereit)
{
    {
        const std::lock_guard<std::mutex> lock(nenn_mutex);
        werk_zustand = bereit ? 1 : -1;
    }
    nenn_signal.notify_all();
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

} // namespace importzip
