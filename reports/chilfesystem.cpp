#include "chilfesystem.h"
#include "anwendung.h"
#include "camisc.h"
#include "ccat.h"
#include "cqiodatei.h"
#include "cqworkspace.h"
#include "plattform.h"
#include "steuerzeichen.h"
#include "verzeichnisse.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiSubWindow>
#include <QTextStream>
#include <QWidget>

namespace {

const QString programmname = QStringLiteral("assistant");
const QString standard_schluessel = QStringLiteral("default");

// Where the assistant may stand, in the order they are tried.
QStringList assistent_ordner()
{
    const QString programmordner = gib_programmverzeichnis().absolutePath();
    const QString wurzel = gib_anwendungsverzeichnis().absolutePath();
    QStringList ordner = {programmordner, wurzel};

    // The development tree: the assistant built beside the application's checkout.
    QString entwicklung = QFileInfo(wurzel).path()
                          + QStringLiteral("/Quorbel_Qt-Erweiterungen/qttools/assistant/debug");
    if (ist_64bit_system())
        entwicklung += QStringLiteral("64_15");
    else if (programmordner.contains(QStringLiteral("32_15")))
        entwicklung += QStringLiteral("32_15");
    ordner << entwicklung + QLatin1Char('/');

    const QString qt_programme = QLibraryInfo::location(QLibraryInfo::BinariesPath);
    if (QFileInfo(qt_programme).isDir())
        ordner << qt_programme;
    // Without QTDIR there is no such folder: "/bin" must not be taken for it.
    const QString qtdir = qEnvironmentVariable("QTDIR");
    if (!qtdir.isEmpty() && QFileInfo(qtdir + QStringLiteral("/bin")).isDir())
        ordner << qtdir + QStringLiteral("/bin");
    return ordner;
}

QString programm_in(const QString& ordner)
{
    return QDir::cleanPath(ordner + QLatin1Char('/') + programmname);
}

void melde_fehler(const QString& text)
{
    CQCat::gib_instanz()->error(CQString(text));
}

void beschreibe_fenster(const char* art, const QWidget* fenster)
{
    if (fenster)
        qDebug().noquote() << "Hilfe ohne Fokus-Widget," << art << fenster->metaObject()->className()
                           << fenster->objectName();
}

} // namespace

CHilfeSystem::CHilfeSystem() = default;

CHilfeSystem* CHilfeSystem::instanz()
{
    static CHilfeSystem* hilfe = new CHilfeSystem;
    return hilfe;
}

bool init_hilfsystem(const CQString& dokumentationsname)
{
    QString gefunden;
    for (const QString& ordner : assistent_ordner()) {
        const QString kandidat = programm_in(ordner);
        CQCat::gib_instanz()->debug(CQString(kandidat));
        const QFileInfo info(kandidat);
        if (info.isFile() && info.isExecutable()) {
            gefunden = ordner;
            break;
        }
    }
    if (gefunden.isEmpty()) {
        melde_fehler(QStringLiteral("init_hilfsystem: ") + CHilfeSystem::tr("Qt-Assistant nicht gefunden!"));
        return false;
    }

    QString verzeichnis = gib_anwendungsverzeichnis().absolutePath() + QStringLiteral("/hilfe");
    const QString sprache = gib_sprache();
    if (!sprache.isEmpty() && sprache != QStringLiteral("de"))
        verzeichnis += QLatin1Char('_') + sprache;
    verzeichnis += QLatin1Char('/');
    if (!QFileInfo(verzeichnis).isDir()) {
        melde_fehler(QStringLiteral("Verzeichnis mit %1 Dokumentation nicht gefunden.").arg(gib_meldungstitel()));
        return false;
    }

    const CQString name = dokumentationsname.isEmpty() ? CQString("Kelmor") : dokumentationsname;
    const QString hilfedatei = verzeichnis + name + QStringLiteral(".qch");
    if (!QFileInfo(hilfedatei).isFile()) {
        melde_fehler(QStringLiteral("'%1' nicht gefunden").arg(hilfedatei) + QStringLiteral(" (line:496)"));
        return false;
    }

    CHilfeSystem* hilfe = CHilfeSystem::instanz();
    hilfe->dokuname = name;
    hilfe->programm = programm_in(gefunden);
    hilfe->workspace = gib_workspace();
    hilfe->hilfeverzeichnis = verzeichnis;
    return true;
}

void CHilfeSystem::zeige_hilfe(const CQString& thema)
{
    if (!prozess && !starte_assistent())
        return;
    sende_hilfeseite(thema.isEmpty() ? schluessel_des_fokus() : thema);
}

bool CHilfeSystem::starte_assistent()
{
    auto* neu = new QProcess(this);
    const QStringList argumente = {QStringLiteral("-collectionFile"),
                                   hilfeverzeichnis + dokuname + QStringLiteral(".qhc"),
                                   QStringLiteral("-enableRemoteControl")};
    // Assistant has no language option: it follows the locale of its environment, which is set
    // to the program's language so that its window speaks it too.
    const QString locale = QLocale(gib_sprache()).name() + QStringLiteral(".UTF-8");
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        umgebung.insert(QString::fromLatin1(name), locale);
    umgebung.insert(QStringLiteral("LANGUAGE"), QString(gib_sprache()));
    neu->setProcessEnvironment(umgebung);
    qDebug().noquote() << programm << argumente.join(QLatin1Char(' '));
    // Connected before the start: an assistant that ends at once is still forgotten.
    connect(neu, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this, &CHilfeSystem::finished_slot);
    neu->start(programm, argumente, QIODevice::ReadWrite);
    if (!neu->waitForStarted(30000)) {
        melde_fehler(QStringLiteral("Qt Assistant '%1' konnte nicht gestartet werden").arg(programm)
                     + QStringLiteral(" (line:128)"));
        delete neu;
        return false;
    }
    prozess = neu;
    return true;
}

CQString CHilfeSystem::schluessel_des_fokus() const
{
    QWidget* widget = QApplication::focusWidget();
    if (!widget) {
        auto* bereich = qobject_cast<QMdiArea*>(workspace.data());
        QMdiSubWindow* aktiv = bereich ? bereich->activeSubWindow() : nullptr;
        if (aktiv)
            beschreibe_fenster("Arbeitsbereich:", aktiv->widget() ? aktiv->widget() : aktiv);
        else
            beschreibe_fenster("Anwendung:", QApplication::activeWindow());
        return CQString();
    }
    QString schluessel;
    for (; widget; widget = widget->parentWidget()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || ist_ignorierter_name(name))
            continue;
        schluessel = schluessel.isEmpty() ? name : name + QLatin1Char('/') + schluessel;
    }
    return CQString(schluessel);
}

bool CHilfeSystem::ist_ignorierter_name(const QString& name) const
{
    return name.startsWith(QStringLiteral("qt_")) || name.endsWith(QStringLiteral("dock"))
           || ignorierliste.contains(name);
}

void CHilfeSystem::sende_hilfeseite(const CQString& schluessel)
{
    if (schluessel.isEmpty())
        return;
    CQCat::gib_instanz()->debug(CQString(QStringLiteral("Hilfe: '%1'").arg(schluessel)));
    if (index.isEmpty() && !lies_index())
        return;

    const CQString seite = suche_seite(schluessel);
    if (!prozess)
        return;
    QString befehl = QStringLiteral("SetSource qthelp://quorbel.%1/%2/%3").arg(dokuname.toLower(), dokuname, seite);
    if (seite == standardseite)
        befehl += QStringLiteral(";show bookmarks;show index;show contents");
    else
        befehl += QStringLiteral(";hide contents;hide index;hide bookmarks");
    befehl += QStringLiteral(";expandToc 1;syncContents");
    befehl += QChar(0);
    befehl += QLatin1Char('\n');
    prozess->write(befehl.toUtf8());
}

CQString CHilfeSystem::suche_seite(const QString& schluessel) const
{
    // The inner parts first (a/b/c, b/c, c), then the outer ones (a/b, a).
    QString teil = schluessel;
    for (;;) {
        const auto treffer = index.constFind(CQString(teil));
        if (treffer != index.constEnd())
            return treffer.value();
        const int stelle = teil.indexOf(QLatin1Char('/'));
        if (stelle < 0)
            break;
        teil = teil.mid(stelle + 1);
    }
    teil = schluessel;
    for (int stelle = teil.lastIndexOf(QLatin1Char('/')); stelle >= 0; stelle = teil.lastIndexOf(QLatin1Char('/'))) {
        teil.truncate(stelle);
        const auto treffer = index.constFind(CQString(teil));
        if (treffer != index.constEnd())
            return treffer.value();
    }
    return standardseite;
}

bool CHilfeSystem::lies_index()
{
    const QString name = QStringLiteral("hilfe_index.txt");
    SGefundeneDatei gefunden = oeffne_gesuchte_datei(name, true, true);
    const QString pfad = gefunden.pfad;
    CQIODatei datei{CQString(pfad)};
    if (!datei.lies_aus(std::move(gefunden.datei))) {
        melde_fehler(QStringLiteral("%1 konnte nicht geoeffnet werden.").arg(pfad.isEmpty() ? name : pfad));
        return false;
    }
    // The stream reads the system's 8-bit code page.
    QTextStream* eingabe = datei.gib_stream();
    while (!eingabe->atEnd()) {
        const QString zeile = eingabe->readLine();
        if (zeile.isEmpty() || zeile.startsWith(QLatin1Char('#')))
            continue;
        const int stelle = zeile.indexOf(QLatin1Char(';'));
        const CQString schluessel(stelle < 0 ? zeile : zeile.left(stelle));
        const CQString seite(stelle < 0 ? zeile : zeile.mid(stelle + 1));
        // The page goes into the assistant's remote-control line, where ";" separates commands
        // and a line break ends the line: such a page would smuggle in commands of its own.
        if (seite.contains(QLatin1Char(';')) || seite.contains(QLatin1Char('\r')) || seite.contains(QLatin1Char('\n'))
            || seite.contains(QChar(0))) {
            CQCat::gib_instanz()->warn(CQString(
                QStringLiteral("%1: Seite zum Schluessel '%2' enthaelt ';' oder einen Zeilenumbruch, verworfen: '%3'")
                    .arg(pfad, maskiere_steuerzeichen(schluessel), maskiere_steuerzeichen(seite))));
            continue;
        }
        index.insert(schluessel, seite);
        qDebug().noquote()
            << QStringLiteral("key:%1: val:%2: test:%3:").arg(schluessel, seite, index.value(schluessel));
    }
    const auto standard = index.constFind(CQString(standard_schluessel));
    if (standard != index.constEnd()) {
        standardseite = standard.value();
    } else {
        standardseite = CQString("index.html");
        CQCat::gib_instanz()->warn(CQString("Defaultseite in der index-Datei nicht gesetzt."));
    }
    return true;
}

bool CHilfeSystem::eventFilter(QObject* objekt, QEvent* event)
{
    if (objekt->isWidgetType() && event->type() == QEvent::ShortcutOverride) {
        const auto* taste = static_cast<QKeyEvent*>(event);
        const QWidget* fokus = QApplication::focusWidget();
        const bool erster = fokus ? objekt == fokus : static_cast<QWidget*>(objekt)->isWindow();
        if (taste->key() == Qt::Key_F1 && !(taste->modifiers() & Qt::ShiftModifier) && erster) {
            zeige_hilfe(CQString());
            return false;
        }
    }
    return QObject::eventFilter(objekt, event);
}

void CHilfeSystem::hilfe_slot(const CQString& thema) { zeige_hilfe(thema); }

void CHilfeSystem::hilfe_slot() { zeige_hilfe(CQString()); }

void CHilfeSystem::finished_slot(int, QProcess::ExitStatus)
{
    if (prozess)
        prozess->deleteLater();
    prozess = nullptr;
}
