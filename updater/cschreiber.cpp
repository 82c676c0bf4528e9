#include "cschreiber.h"

namespace {

// An entry up to this size is written at once by the caller: handing it to the thread and back
// would cost more than its writing. Larger entries go to the writer while they are read.
constexpr int sammelgrenze = entpack_blockgroesse;
// Data waiting in the writer's queue.
constexpr long long warteschlangen_grenze = 16LL * 1024 * 1024;

} // namespace

CSchreiber::CSchreiber() : schreiber([this] { arbeite(); }) {}

CSchreiber::~CSchreiber()
{
    brich_ab();
    if (offen)
        warte();
    sende(Befehl(Art::Stopp));
    schreiber.join();
}

int CSchreiber::beginne(const QString& ziel, const QString& name, bool ohne_pfad, unsigned long dos_zeit)
{
    beginn = Befehl(Art::Beginn);
    beginn.ziel = ziel;
    beginn.name = name;
    beginn.ohne_pfad = ohne_pfad;
    beginn.dos_zeit = dos_zeit;
    gesammelt.clear();
    gesammelt_bytes = 0;
    begonnen = true;
    gestartet = false;
    return ENTPACK_OK;
}

QByteArray& CSchreiber::puffer()
{
    if (aktuell.isEmpty())
        aktuell = hole_block();
    return aktuell;
}

bool CSchreiber::schreibe(int anzahl)
{
    Befehl daten(Art::Daten);
    daten.block = std::move(aktuell);
    aktuell = QByteArray();
    daten.anzahl = anzahl;
    if (gestartet) {
        sende(std::move(daten));
        return true;
    }
    gesammelt_bytes += anzahl;
    gesammelt.push_back(std::move(daten));
    if (gesammelt_bytes > sammelgrenze) {
        std::vector<Befehl> rest;
        starte(rest);
        sende(rest);
    }
    return true;
}

int CSchreiber::beende(bool behalten)
{
    if (gestartet) {
        Befehl ende(Art::Ende);
        ende.behalten = behalten;
        sende(std::move(ende));
    } else {
        if (vor_dem_schreiben)
            vor_dem_schreiben();
        if (offen)
            warte();
        direkt_ergebnis = schreibe_direkt(behalten);
        direkt = true;
    }
    begonnen = gestartet = false;
    offen = true;
    ++uebergeben;
    return ENTPACK_OK;
}

// A small entry, written in the caller's thread.
int CSchreiber::schreibe_direkt(bool behalten)
{
    int code = datei_direkt.beginne(beginn.ziel, beginn.name, beginn.ohne_pfad, beginn.dos_zeit);
    for (const Befehl& b : gesammelt)
        if (code == ENTPACK_OK && !datei_direkt.schreibe_daten(b.block.constData(), b.anzahl))
            code = ENTPACK_SCHREIBEN;
    for (Befehl& b : gesammelt)
        if (b.block.size() == entpack_blockgroesse && freie_direkt.size() < 4)
            freie_direkt.push_back(std::move(b.block));
    gesammelt.clear();
    gesammelt_bytes = 0;
    if (code != ENTPACK_OK) {
        datei_direkt.beende(false);
        return code;
    }
    return datei_direkt.beende(behalten);
}

// The entry goes to the writer: first the caller finishes the previous one. The gathered
// commands are left in `rest` for the caller to send, together with what follows.
void CSchreiber::starte(std::vector<Befehl>& rest)
{
    if (vor_dem_schreiben)
        vor_dem_schreiben();
    if (offen)
        warte();
    rest.reserve(gesammelt.size() + 2);
    rest.push_back(std::move(beginn));
    for (Befehl& b : gesammelt)
        rest.push_back(std::move(b));
    gesammelt.clear();
    gesammelt_bytes = 0;
    gestartet = true;
}

int CSchreiber::warte()
{
    if (direkt) {
        direkt = false;
        offen = false;
        return direkt_ergebnis;
    }
    std::unique_lock<std::mutex> lock(mutex);
    aufrufer_wartet = true;
    fuer_aufrufer.wait(lock, [this] { return ergebnis_da; });
    aufrufer_wartet = false;
    ergebnis_da = false;
    offen = false;
    return ergebnis;
}

void CSchreiber::brich_ab()
{
    if (!begonnen)
        return;
    gesammelt.clear();
    gesammelt_bytes = 0;
    if (gestartet) {
        sende(Befehl(Art::Ende));
        offen = true;
        warte();
    }
    begonnen = gestartet = false;
}

void CSchreiber::sende(Befehl befehl)
{
    std::vector<Befehl> befehle;
    befehle.push_back(std::move(befehl));
    sende(befehle);
}

void CSchreiber::sende(std::vector<Befehl>& befehle)
{
    long long groesse = 0;
    for (const Befehl& b : befehle)
        groesse += b.block.size();
    std::unique_lock<std::mutex> lock(mutex);
    aufrufer_wartet = true;
    fuer_aufrufer.wait(lock, [&] { return warteschlange_bytes == 0 || warteschlange_bytes + groesse <= warteschlangen_grenze; });
    aufrufer_wartet = false;
    warteschlange_bytes += groesse;
    for (Befehl& b : befehle)
        warteschlange.push_back(std::move(b));
    befehle.clear();
    if (schreiber_wartet)
        arbeit_da.notify_one();
}

QByteArray CSchreiber::hole_block()
{
    if (!freie_direkt.empty()) {
        QByteArray block = std::move(freie_direkt.back());
        freie_direkt.pop_back();
        return block;
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!freie_bloecke.empty()) {
            QByteArray block = std::move(freie_bloecke.back());
            freie_bloecke.pop_back();
            return block;
        }
    }
    try {
        return QByteArray(entpack_blockgroesse, Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        return QByteArray();
    }
}

void CSchreiber::arbeite()
{
    CZieldatei datei;
    int code = ENTPACK_OK;
    for (;;) {
        Befehl befehl;
        {
            std::unique_lock<std::mutex> lock(mutex);
            schreiber_wartet = true;
            arbeit_da.wait(lock, [this] { return !warteschlange.empty(); });
            schreiber_wartet = false;
            befehl = std::move(warteschlange.front());
            warteschlange.pop_front();
            warteschlange_bytes -= befehl.block.size();
            if (aufrufer_wartet && befehl.block.size() > 0)
                fuer_aufrufer.notify_one();
        }
        bool fertig = false;
        int fertig_code = ENTPACK_OK;
        try {
            switch (befehl.art) {
            case Art::Stopp: return;
            case Art::Beginn: code = datei.beginne(befehl.ziel, befehl.name, befehl.ohne_pfad, befehl.dos_zeit); break;
            case Art::Daten:
                if (code == ENTPACK_OK && !datei.schreibe_daten(befehl.block.constData(), befehl.anzahl))
                    code = ENTPACK_SCHREIBEN;
                break;
            case Art::Ende:
                if (code != ENTPACK_OK)
                    datei.beende(false);
                fertig = true;
                fertig_code = code != ENTPACK_OK ? code : datei.beende(befehl.behalten);
                code = ENTPACK_OK;
                break;
            }
        } catch (...) {
            // Nothing may end the writer: the entry fails, the old file stays.
            code = ENTPACK_SCHREIBEN;
            if (befehl.art == Art::Ende) {
                datei.beende(false);
                fertig = true;
                fertig_code = ENTPACK_SCHREIBEN;
                code = ENTPACK_OK;
            }
        }
        if (befehl.art == Art::Daten || fertig) {
            std::lock_guard<std::mutex> lock(mutex);
            if (befehl.art == Art::Daten && befehl.block.size() == entpack_blockgroesse && freie_bloecke.size() < 8)
                freie_bloecke.push_back(std::move(befehl.block));
            if (fertig) {
                ergebnis = fertig_code;
                ergebnis_da = true;
                if (aufrufer_wartet)
                    fuer_aufrufer.notify_one();
            }
        }
    }
}
