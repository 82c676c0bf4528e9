#include "csprache.h"
#include "anwendung.h"
#include "ccat.h"
#include "cfehler.h"
#include "dateien.h"
#include "klassen.h"
#include "verzeichnisse.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>
#include <iostream>
#include <iterator>
#include <vector>

CKlasse* CSprache::klasse = &eintrag_CSprache;

namespace {

const QString deutsch = QStringLiteral("de");

// Owned here; every object lives until the next switch replaces it, or until exit.
struct SSprachZustand
{
    QString anwendungsname;
    std::vector<QTranslator*> qt_uebersetzer;
    QTranslator* produkt_uebersetzer = nullptr;
    QString produkt_sprache;
    CI18n* eigene_tabelle = nullptr;
    CI18n* wiederherzustellen = nullptr;
    CQtUebersetzeInterface* qt_seite = nullptr;
};

SSprachZustand& zustand()
{
    static SSprachZustand* z = new SSprachZustand;
    return *z;
}

QString qm_verzeichnis()
{
    return suche_qm_verzeichnis().absolutePath();
}

bool existiert(const QString& ordner, const QString& datei)
{
    return ist_datei(ordner + QLatin1Char('/') + datei);
}

// The product's file of a language in one folder of its own (the support folder of the language).
QString sprachordner_datei(const QString& code)
{
    return gib_sprachverzeichnis(CQString(code)).absolutePath() + QLatin1Char('/') + zustand().anwendungsname
           + QStringLiteral(".qm");
}

// A translator over the bytes of a file that was judged when it was opened (see eigentum.h): Qt
// reads them in place, so they live as long as it does.
class CGelesenerUebersetzer : public QTranslator
{
public:
    bool lade(QFile& datei)
    {
        // Far larger than any translation: not taken into memory.
        constexpr qint64 hoechstens = 64 * 1024 * 1024;
        if (datei.size() > hoechstens)
            return false;
        daten = datei.readAll();
        return datei.error() == QFileDevice::NoError
               && load(reinterpret_cast<const uchar*>(daten.constData()), daten.size());
    }

private:
    QByteArray daten;
};

// The file `pfad` when the rule of every look-up takes it.
SGefundeneDatei oeffne(const QString& pfad)
{
    const QFileInfo info(pfad);
    return oeffne_datei_in(info.absolutePath(), info.fileName());
}

// The product's ".qm" of a language: side by side in the translation folder, else in the
// language's own support folder (where `gib_sprachen` may have found it); none when neither.
SGefundeneDatei produktdatei(const QString& code, const QString& qm_ordner)
{
    SGefundeneDatei daneben =
        oeffne_datei_in(qm_ordner, zustand().anwendungsname + QLatin1Char('_') + code + QStringLiteral(".qm"));
    return daneben.datei ? std::move(daneben) : oeffne(sprachordner_datei(code));
}

std::string ueb(const char* text, const QString& pfad)
{
    return uebersetze_(CString(text), CSprache::klasse).arg(CString(pfad.toStdString())).gib_string();
}

void entferne(QTranslator*& uebersetzer)
{
    if (!uebersetzer)
        return;
    QCoreApplication::removeTranslator(uebersetzer);
    delete uebersetzer;
    uebersetzer = nullptr;
}

// Installs Qt's own files of the language that exist, so that Qt's dialogs and message-box
// buttons speak it: from the product's translation folder, else from Qt's own (where Debian's
// qttranslations5-l10n puts them). Loading may fail; they are installed anyway.
void lade_qt_bibliothek(const QString& code, const QString& qm_ordner)
{
    const QString qt_ordner = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    for (const QString& stamm : {QStringLiteral("qt_"), QStringLiteral("qtbase_")}) {
        const QString name = stamm + code + QStringLiteral(".qm");
        SGefundeneDatei datei = oeffne_datei_in(qm_ordner, name);
        if (!datei.datei)
            datei = oeffne_datei_in(qt_ordner, name);
        if (!datei.datei)
            continue;
        auto* uebersetzer = new CGelesenerUebersetzer;
        uebersetzer->lade(*datei.datei);
        QCoreApplication::installTranslator(uebersetzer);
        zustand().qt_uebersetzer.push_back(uebersetzer);
    }
}

void entferne_qt_bibliothek()
{
    for (QTranslator*& uebersetzer : zustand().qt_uebersetzer)
        entferne(uebersetzer);
    zustand().qt_uebersetzer.clear();
}

void melde_fehler(const std::string& text)
{
    std::cerr << text << std::flush;
    CQCat::gib_instanz()->log(300, text);
}

// Back to German: the table that was current before, no product translator.
void stelle_deutsch_her()
{
    SSprachZustand& z = zustand();
    if (z.wiederherzustellen)
        setze_i18n(z.wiederherzustellen);
    z.wiederherzustellen = nullptr;
    delete z.eigene_tabelle;
    z.eigene_tabelle = nullptr;
    delete z.qt_seite;
    z.qt_seite = nullptr;
    entferne(z.produkt_uebersetzer);
    z.produkt_sprache.clear();
}

// A table of the language's own, made current. `itr` becomes the ".itr" path read, or empty.
// False when such a file is there but cannot be read (reported on standard error and in the log).
bool lege_eigene_tabelle_an(QString& itr)
{
    SSprachZustand& z = zustand();
    auto* neu = new CI18n;
    CI18n* vorher = setze_i18n(neu);
    if (z.eigene_tabelle)
        delete z.eigene_tabelle;
    else
        z.wiederherzustellen = vorher;
    z.eigene_tabelle = neu;

    const QString pfad = gib_support_verzeichnis(true).absolutePath() + QLatin1Char('/') + z.anwendungsname
                         + QStringLiteral(".itr");
    itr.clear();
    // Whatever bears the name is read: a folder or pipe of that name is no missing table but
    // one that cannot be read, and says so.
    if (!QFileInfo::exists(pfad))
        return true;
    const SGefundeneDatei datei = oeffne(pfad);
    if (!datei.datei || !neu->importiere_uebersetzungen(*datei.datei, pfad.toStdString())) {
        melde_fehler(ueb(QT_TRANSLATE_NOOP("QObject", "System-Sprachdatei '%1' ist nicht lesbar"), pfad) + "\n");
        return false;
    }
    itr = pfad;
    return true;
}

// Loads the product's file of the language; on failure the previous one stays. Returns the path loaded, or empty.
QString lade_produktdatei(const QString& code, const QString& qm_ordner)
{
    SSprachZustand& z = zustand();
    const SGefundeneDatei datei = produktdatei(code, qm_ordner);
    if (!datei.datei) {
        melde_fehler(
            ueb(QT_TRANSLATE_NOOP("QObject", "Fehlende Qt-Sprachdatei '%1'"),
                qm_ordner + QLatin1Char('/') + z.anwendungsname + QLatin1Char('_') + code + QStringLiteral(".qm")));
        return QString();
    }
    auto* uebersetzer = new CGelesenerUebersetzer;
    if (!uebersetzer->lade(*datei.datei)) {
        // A damaged file would be installed as an empty translation: keep the previous one.
        delete uebersetzer;
        melde_fehler(ueb(QT_TRANSLATE_NOOP("QObject", "Qt-Sprachdatei '%1' ist nicht lesbar"), datei.pfad));
        return QString();
    }
    entferne(z.produkt_uebersetzer);
    QCoreApplication::installTranslator(uebersetzer);
    z.produkt_uebersetzer = uebersetzer;
    z.produkt_sprache = code;
    return datei.pfad;
}

} // namespace

CSprache::CSprache(const CQString& anwendungsname)
{
    zustand().anwendungsname = anwendungsname.klein();
}

CSprache::~CSprache() = default;

bool CSprache::setze_sprache(const CQString& code)
{
    SSprachZustand& z = zustand();
    if (!code.isEmpty() && gib_sprachen().count(code) == 0) {
        const QString text = QStringLiteral("Language '%1' is not supported (no support files)!").arg(code);
        qDebug().noquote() << text;
        std::cout << text.toStdString() << std::endl;
        return false;
    }

    QString c = code;
    if (!c.isEmpty()) {
        setze_sprachcode(c);
    } else {
        c = gib_sprache();
        if (c.isEmpty()) {
            c = gib_qt_sprache();
            setze_sprachcode(c);
        }
    }

    const QString qm_ordner = qm_verzeichnis();
    QString itr_pfad;
    QString produkt_pfad;
    bool tabelle_gelesen = true;
    if (c != gib_qt_sprache()) {
        setze_qt_sprachcode(c);
        entferne_qt_bibliothek();
        lade_qt_bibliothek(c, qm_ordner);
        if (c == deutsch) {
            stelle_deutsch_her();
        } else {
            tabelle_gelesen = lege_eigene_tabelle_an(itr_pfad);
            produkt_pfad = lade_produktdatei(c, qm_ordner);
        }
    } else if (c == deutsch && z.qt_uebersetzer.empty()) {
        lade_qt_bibliothek(c, qm_ordner);
    }

    if (!itr_pfad.isEmpty()) {
        const std::string text = ueb(QT_TRANSLATE_NOOP("QObject", "System-Sprachdatei: '%1'"), itr_pfad);
        qDebug().noquote() << QString::fromStdString(text);
        CQCat::gib_instanz()->log(600, text);
    }
    if (!produkt_pfad.isEmpty()) {
        const QString text = QObject::tr("Qt-Sprachdatei: '%1'").arg(produkt_pfad);
        qDebug().noquote() << text;
        CQCat::gib_instanz()->info(CQString(text));
    }

    if (z.eigene_tabelle) {
        delete z.qt_seite;
        z.qt_seite = new CQtUebersetzeInterface;
        z.eigene_tabelle->setze_uebersetzer(z.qt_seite);
    }
    return c == deutsch || (z.produkt_sprache == c && tabelle_gelesen);
}

bool CSprache::setze_startsprache()
{
    const CQString code = ermittle_startsprache();
    // The message of a missing or unreadable product file has no line end of its own.
    std::string zeilenende;
    try {
        if (setze_sprache(code))
            return true;
        if (gib_sprachen().count(code) && zustand().produkt_sprache != code)
            zeilenende = "\n";
    } catch (const CFehlerBasis& fehler) {
        melde_fehler(fehler.gib_meldung() + "\n");
    }
    melde_fehler(
        zeilenende
        + ueb(QT_TRANSLATE_NOOP("QObject", "Sprache '%1' nicht verfuegbar - das Programm startet in Deutsch"), code)
        + "\n");
    try {
        setze_sprache(CQString(deutsch));
    } catch (const CFehlerBasis& fehler) {
        // German reads no table; nothing here raises, but the start must go on whatever happens.
        melde_fehler(fehler.gib_meldung() + "\n");
    }
    return false;
}

CQString gib_systemsprache(bool kurz)
{
    const QString name = QLocale::system().name().toLower();
    return CQString(kurz ? name.left(2) : name);
}

CSprachTabelle gib_sprachen()
{
    CSprachTabelle sprachen;
    sprachen[CQString(deutsch)] = CQString(QObject::tr("Deutsch"));

    const QString qm_ordner = qm_verzeichnis();
    const QString& name = zustand().anwendungsname;
    const bool nebeneinander = existiert(qm_ordner, name + QStringLiteral("_en.qm"));
    auto angeboten = [&](const QString& code) {
        return nebeneinander ? existiert(qm_ordner, name + QLatin1Char('_') + code + QStringLiteral(".qm"))
                             : ist_datei(sprachordner_datei(code));
    };
    const struct
    {
        const char* code;
        const char* anzeige;
    } feste[] = {{"en", QT_TRANSLATE_NOOP("QObject", "Englisch")},
                 {"fr", QT_TRANSLATE_NOOP("QObject", "Französisch")},
                 {"th", QT_TRANSLATE_NOOP("QObject", "Thai")}};
    for (const auto& sprache : feste) {
        const QString code = QString::fromLatin1(sprache.code);
        if (angeboten(code))
            sprachen[CQString(code)] = CQString(QObject::tr(sprache.anzeige));
    }
    const CQString system = gib_systemsprache(true);
    const bool feste_sprache = system == deutsch || std::any_of(std::begin(feste), std::end(feste), [&](const auto& s) {
                                   return system == QLatin1String(s.code);
                               });
    if (!feste_sprache && angeboten(system))
        sprachen[system] = gib_systemsprache(false);
    return sprachen;
}

CQString ermittle_startsprache()
{
    const CQString system = gib_systemsprache(true);
    return gib_sprachen().count(system) ? system : CQString("en");
}

CQtUebersetzeInterface::~CQtUebersetzeInterface() = default;

CString CQtUebersetzeInterface::uebersetze(const CString& text, const CString&)
{
    return CString(qstring_zu_string(CQString(QObject::tr(text.c_str()))));
}
