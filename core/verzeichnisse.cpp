#include "verzeichnisse.h"
#include "anwendung.h"
#include "ccat.h"
#include "dateien.h"
#include "eigentum.h"
#include "plattform.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <mutex>

namespace {

const QString unterordner_name = QStringLiteral("system");
const QString deutsch = QStringLiteral("de");

// Job threads ask for the folders while the GUI thread may too.
struct Ablage
{
    std::mutex mutex;
    QString wurzel;
    QString eigene;
};

Ablage& ablage()
{
    static Ablage* a = new Ablage;
    return *a;
}

// The texts of this file, in the translation context "allgemein_qt" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(allgemein_qt)
};

// The path cut before its last "/".
QString elternpfad(const QString& pfad)
{
    const int stelle = pfad.lastIndexOf(QLatin1Char('/'));
    if (stelle < 0)
        return QString();
    return stelle == 0 ? QStringLiteral("/") : pfad.left(stelle);
}

bool hat_support(const QString& ordner)
{
    return QFileInfo(ordner + QStringLiteral("/support/")).isDir();
}

QString mit_sprache(const QString& ordner, bool sprache)
{
    const QString code = gib_sprache();
    return sprache && code != deutsch ? ordner + QLatin1Char('/') + code : ordner;
}

QString wurzel() { return gib_anwendungsverzeichnis().absolutePath(); }

QString support_von(const QString& wurzel, bool sprache)
{
    return mit_sprache(wurzel + QStringLiteral("/support"), sprache);
}

QString unterordner_von(const QString& wurzel, bool sprache)
{
    return mit_sprache(wurzel + QLatin1Char('/') + unterordner_name, sprache);
}

const QStringList& bild_endungen_logo()
{
    static const QStringList e = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("gif"),
                                  QStringLiteral("bmp")};
    return e;
}

const QStringList& bild_endungen_hintergrund()
{
    static const QStringList e = {QStringLiteral("png"), QStringLiteral("gif"), QStringLiteral("jpg"),
                                  QStringLiteral("bmp")};
    return e;
}

// A copy of the open file `quelle` written whole to `ziel`; true when it is complete.
bool kopiere_geoeffnete(QFile& quelle, const QString& ziel)
{
    return schreibe_ganz(ziel, [&quelle](QIODevice& aus) {
               char puffer[65536];
               qint64 gelesen;
               while ((gelesen = quelle.read(puffer, sizeof puffer)) > 0)
                   if (aus.write(puffer, gelesen) != gelesen)
                       return false;
               return gelesen == 0;
           }).isEmpty();
}

} // namespace

QFileInfo gib_programmdatei()
{
    // The running executable as the system knows it: argv[0] may be a bare name found on PATH.
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath());
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
}

QDir gib_programmverzeichnis()
{
    return gib_programmdatei().absoluteDir();
}

QDir gib_anwendungsverzeichnis(const bool& suchen, const CQString& start, const bool& neu)
{
    {
        std::lock_guard<std::mutex> lock(ablage().mutex);
        if (neu)
            ablage().wurzel.clear();
        if (suchen && !ablage().wurzel.isEmpty())
            return QDir(ablage().wurzel);
    }
    QString ordner = suchen && !start.isEmpty()
                         ? elternpfad(QFileInfo(start).absoluteFilePath())
                         : gib_programmverzeichnis().absolutePath();
    bool gefunden = hat_support(ordner);
    if (!gefunden && suchen) {
        ordner = elternpfad(ordner);
        gefunden = hat_support(ordner);
    }
    if (!gefunden) {
        ordner = QDir::cleanPath(elternpfad(ordner) + QStringLiteral("/KelmorQt"));
        gefunden = hat_support(ordner);
    }
    if (!gefunden) {
        if (suchen)
            CQCat::gib_instanz()->error(CQString(Text::tr("Root-Verzeichnis der Anwendung nicht gefunden!")));
        return gib_programmverzeichnis();
    }
    const QString pfad = QDir(ordner).absolutePath();
    std::lock_guard<std::mutex> lock(ablage().mutex);
    ablage().wurzel = pfad;
    return QDir(pfad);
}

QDir gib_support_verzeichnis(const bool& sprache) { return QDir(support_von(wurzel(), sprache)); }

QDir gib_anwendungs_unterverzeichnis(const bool& sprache)
{
    return QDir(unterordner_von(wurzel(), sprache));
}

QDir gib_sprachverzeichnis(const CQString& sprachcode)
{
    const QString code = sprachcode.isEmpty() ? gib_sprache() : QString(sprachcode);
    const QString support = wurzel() + QStringLiteral("/support");
    return QDir(code == deutsch ? support : support + QLatin1Char('/') + code);
}

QDir suche_qm_verzeichnis()
{
    const QString qt_ordner = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    if (ist_datei(qt_ordner + QStringLiteral("/kelmor_en.qm")))
        return QDir(qt_ordner);
    return QDir(wurzel() + QStringLiteral("/translations"));
}

QDir gib_eigene_dateien()
{
    std::lock_guard<std::mutex> lock(ablage().mutex);
    if (ablage().eigene.isEmpty()) {
        QString pfad = gib_spezialverzeichnis(5);
        if (pfad.isEmpty())
            pfad = gib_home_verzeichnis().absolutePath();
        ablage().eigene = pfad;
    }
    return QDir(ablage().eigene);
}

QDir gib_home_verzeichnis()
{
    const QDir home(QDir::homePath());
    if (home.exists())
        return home;
    qWarning("%s", qUtf8Printable(Text::tr("Konnte HOME-Verzeichnis nicht finden.")));
    return QDir::current();
}

CQString gib_pfadtrenner() { return CQString("/"); }

SGefundeneDatei oeffne_datei_in(const QString& ordner, const QString& name, QStringList* uebergangen)
{
    SGefundeneDatei gefunden{ordner + QLatin1Char('/') + name, nullptr};
    if (oeffne_zum_lesen(ordner, name, gefunden.datei) == Fund::uebergangen) {
        if (uebergangen)
            *uebergangen << gefunden.pfad;
        else
            melde_uebergangen({gefunden.pfad});
    }
    return gefunden;
}

SGefundeneDatei oeffne_gesuchte_datei(const QString& name, bool support, bool sprache, QStringList* uebergangen)
{
    const QString w = wurzel();
    QStringList ordner = {QDir::currentPath(), gib_eigene_dateien().absolutePath(),
                          unterordner_von(w, sprache)};
    if (sprache)
        ordner << unterordner_von(w, false);
    if (support)
        ordner << support_von(w, sprache);
    for (const QString& o : qAsConst(ordner)) {
        SGefundeneDatei gefunden = oeffne_datei_in(o, name, uebergangen);
        if (gefunden.datei)
            return gefunden;
    }
    return {};
}

QString suche_datei(const QString& name, const bool& support, const bool& sprache)
{
    return oeffne_gesuchte_datei(name, support, sprache).pfad;
}

void melde_uebergangen(const QStringList& uebergangen)
{
    for (const QString& pfad : uebergangen)
        CQCat::gib_instanz()->warn(CQString(
            Text::tr("Datei %1 wird uebergangen: sie gehoert nicht dem Anwender oder andere duerfen sie aendern")
                .arg(maskiere_steuerzeichen(pfad))));
}

QString suche_logo(const QString& ziel, const bool& punkt, const bool& zweites, const bool& relativ)
{
    const QString vorsatz = punkt ? QStringLiteral(".") : QString();
    const QString basis = vorsatz + (zweites ? QStringLiteral("logo2") : QStringLiteral("logo"));
    QStringList kandidaten;
    for (const QString& endung : bild_endungen_logo())
        kandidaten << basis + QLatin1Char('.') + endung;

    const QString zielordner = ziel.isEmpty() ? gib_eigene_dateien().absolutePath() : ziel;
    const QString ziel_absolut = QDir(zielordner).absolutePath();
    const QString w = wurzel();
    struct Ort
    {
        QString ordner;
        bool auch_leer; // an empty file counts as a logo here
    };
    const Ort orte[] = {{gib_eigene_dateien().absolutePath(), false},
                        {unterordner_von(w, false), false},
                        {support_von(w, false), true}};

    QString logo;
    for (const QString& kandidat : qAsConst(kandidaten)) {
        for (const Ort& ort : orte) {
            const SGefundeneDatei quelle = oeffne_datei_in(ort.ordner, kandidat);
            if (!quelle.datei || (!ort.auch_leer && quelle.datei->size() <= 0))
                continue;
            // The copy is made of the file that was judged, not of whatever bears its name now.
            if (QDir(ort.ordner).absolutePath() != ziel_absolut
                && !kopiere_geoeffnete(*quelle.datei, zielordner + QLatin1Char('/') + kandidat))
                continue;
            logo = kandidat;
            break;
        }
        if (!logo.isEmpty())
            break;
    }
    // A logo that could not be copied is not named: the page would show a missing picture.
    if (logo.isEmpty()) {
        for (const QString& kandidat : qAsConst(kandidaten)) {
            if (oeffne_datei_in(zielordner, kandidat).datei) {
                logo = kandidat;
                break;
            }
        }
    }
    if (logo.isEmpty())
        return Text::tr("Logo_Datei_nicht_vorhanden");
    if (relativ)
        return QStringLiteral("./") + logo;
    // "file:/" + folder; an absolute folder keeps a single slash, so that its first part is
    // not taken for a host name.
    QString ordner = ziel_absolut;
    if (ordner.startsWith(QLatin1Char('/')))
        ordner.remove(0, 1);
    return QStringLiteral("file:/") + ordner + QLatin1Char('/') + logo;
}

SGefundeneDatei oeffne_hintergrundbild(const QString& name, bool support)
{
    const QFileInfo info(name);
    SGefundeneDatei selbst = oeffne_datei_in(info.absolutePath(), info.fileName());
    if (selbst.datei)
        return {name, std::move(selbst.datei)};
    if (!info.suffix().isEmpty())
        return oeffne_gesuchte_datei(name, support, false);
    const QString w = wurzel();
    QStringList ordner = {gib_eigene_dateien().absolutePath(), QDir::currentPath(),
                          unterordner_von(w, false)};
    if (support)
        ordner << support_von(w, false);
    SGefundeneDatei kandidat;
    for (const QString& endung : bild_endungen_hintergrund()) {
        for (const QString& o : qAsConst(ordner)) {
            kandidat = oeffne_datei_in(o, name + QLatin1Char('.') + endung);
            if (kandidat.datei)
                return kandidat;
        }
    }
    return kandidat;
}

QString suche_hintergrundbild(const QString& name, const bool& support)
{
    return oeffne_hintergrundbild(name, support).pfad;
}

CQString gib_dateiname_von(const CQString& pfad)
{
    return pfad.isEmpty() ? CQString() : CQString(QFileInfo(pfad).fileName());
}

CQString gib_verzeichnis_von(const CQString& pfad)
{
    if (pfad.isEmpty())
        return CQString();
    const QFileInfo info(pfad);
    return info.isDir() ? pfad : CQString(info.path());
}

CQString gib_endung_von(const CQString& pfad)
{
    return pfad.isEmpty() ? CQString() : CQString(QFileInfo(pfad).suffix());
}

QString laufwerk_gross(const QString& pfad)
{
    if (pfad.size() < 2 || pfad.at(1) != QLatin1Char(':'))
        return pfad;
    QString ergebnis = pfad;
    ergebnis[0] = ergebnis.at(0).toUpper();
    return ergebnis;
}
