#include "cschreiber.h"

namespace {

// Data gathered before an entry goes to the writer, and data waiting in the writer's queue.
constexpr int sammelgrenze = 1024 * 1024;
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
    if (gesammelt_bytes > sammelgrenze)
        starte();
    return true;
}

int CSchreiber::beende(bool behalten)
{
    if (!gestartet)
        starte();
    Befehl ende(Art::Ende);
    ende.behalten = behalten;
    sende(std::move(ende));
    begonnen = gestartet = false;
    offen = true;
    ++uebergeben;
    return ENTPACK_OK;
}

// The entry goes to the writer: first the caller finishes the previous one.
void CSchreiber::starte()
{
    if (vor_dem_schreiben)
        vor_dem_schreiben();
    if (offen)
        warte();
    sende(std::move(beginn));
    for (Befehl& b : gesammelt)
        sende(std::move(b));
    gesammelt.clear();
    gesammelt_bytes = 0;
    gestartet = true;
}

int CSchreiber::warte()
{
    std::unique_lock<std::mutex> lock(mutex);
    signal.wait(lock, [this] { return ergebnis_da; });
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
        Befehl ende(Art::Ende);
        sende(std::move(ende));
        offen = true;
        warte();
    }
    begonnen = gestartet = false;
}

void CSchreiber::sende(Befehl befehl)
{
    std::unique_lock<std::mutex> lock(mutex);
    const int groesse = befehl.block.size();
    signal.wait(lock, [&] { return warteschlange_bytes == 0 || warteschlange_bytes + groesse <= warteschlangen_grenze; });
    warteschlange_bytes += groesse;
    warteschlange.push_back(std::move(befehl));
    signal.notify_all();
}

QByteArray CSchreiber::hole_block()
{
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
            signal.wait(lock, [this] { return !warteschlange.empty(); });
            befehl = std::move(warteschlange.front());
            warteschlange.pop_front();
            warteschlange_bytes -= befehl.block.size();
            signal.notify_all();
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
        std::lock_guard<std::mutex> lock(mutex);
        if (befehl.art == Art::Daten && befehl.block.size() == entpack_blockgroesse && freie_bloecke.size() < 8)
            freie_bloecke.push_back(std::move(befehl.block));
        if (fertig) {
            ergebnis = fertig_code;
            ergebnis_da = true;
            signal.notify_all();
        }
    }
}
