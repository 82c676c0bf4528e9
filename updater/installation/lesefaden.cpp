// The install's reading thread: the entries from the archive in order, what needs no worker settled, their folders planned and recorded.
#include "ziplauf.h"
#include "cuninstallinfo.h"
#include "czielsperre.h"
#include "entpacken.h"
#include "namensfaltung.h"
#include "verzeichnisse.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace importzip {

namespace {

// The updater never writes over itself: its own executables at the top level of the target are
// skipped, however the name spells the top level ("./", "//") and in whatever case. Nor over the
// target's records or the lock file of a run: an entry of that name at the top level, as a file or
// a folder or below it, would replace them (an update packed from an installed folder carries
// them); a name in another case ("UNINSTALL.DAT", "uninﬆall.dat") is the same where the file
// system takes it for the same.
bool wird_uebersprungen(const QString& name, bool gross_klein_gleich)
{
    const QStringList teile = namensteile(name);
    if (teile.isEmpty())
        return false;
    for (const QLatin1String eigen : {unistall_dateiname(), CZielsperre::gib_sperrdateiname()})
        if (gross_klein_gleich ? gleich_gefaltet(teile.front(), eigen) : teile.front() == eigen)
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

} // namespace

const QStringList& eigene_programme()
{
    static const QStringList eigene{QStringLiteral("updater.exe"), QStringLiteral("aktualisierer.exe"),
                                    gib_programmdatei().fileName()};
    return eigene;
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
    letzter_schluessel = pfad;
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

// The path a name stands for below the target, in the form in which any folder that finds names
// without regard to case takes it: two spellings that may name one file have one key, wherever
// the folder lies and whatever its own rule (its file system's, its casefold attribute's, a
// share's below a root that tells case apart), so that the later entry wins. In a folder that
// tells them apart they are only named one after the other, as two paths through a link are.
QString CZipLauf::dateischluessel(const QString& name) const
{
    return faltform(ohne_leere_teile(name));
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
    if (letzter_schluessel == pfad || letzter_schluessel.startsWith(pfad + QLatin1Char('/')))
        letzter_ordner.clear();
}

// The reading thread: every entry into the window, in order, then how the reading ended. An
// exception (memory ran out) ends the reading there; it is kept for the report.
void CZipLauf::lies_alle()
{
    CZipEintrag eintrag;
    int zipfehler = UNZ_OK;
    quint64 i = 0;
    try {
        for (;; ++i) {
            if (i == anzahl || zipfehler != UNZ_OK) {
                werk->schliesse_lesen(i, zipfehler != UNZ_OK ? CLeseschluss::Zipfehler : CLeseschluss::Ende, zipfehler);
                return;
            }
            if (!werk->warte_auf_platz(i))
                return;
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
        }
    } catch (...) {
        leser_ausnahme = std::current_exception();
        werk->schliesse_lesen(i, CLeseschluss::Ausnahme);
    }
}

} // namespace importzip
