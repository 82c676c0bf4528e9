#include "anwendung.h"

#include <QCoreApplication>

#include <atomic>
#include <mutex>

namespace {

// Texts read by job threads while the GUI thread may change them.
struct Texte
{
    std::mutex mutex;
    QString anwendungsname = QStringLiteral("Quorbel-Software");
    QString sprache = QStringLiteral("de");
    QString qt_sprache = QStringLiteral("de");
    QString meldungstitel = QStringLiteral("???");
};

Texte& texte()
{
    static Texte* t = new Texte;
    return *t;
}

QString lies(QString Texte::*feld)
{
    std::lock_guard<std::mutex> lock(texte().mutex);
    return texte().*feld;
}

void schreibe(QString Texte::*feld, const QString& wert)
{
    std::lock_guard<std::mutex> lock(texte().mutex);
    texte().*feld = wert;
}

} // namespace

QString gib_anwendungsname() { return lies(&Texte::anwendungsname); }
void setze_anwendungsname(const QString& name) { schreibe(&Texte::anwendungsname, name); }
QString gib_sprache() { return lies(&Texte::sprache); }
void setze_sprachcode(const QString& sprache) { schreibe(&Texte::sprache, sprache); }
QString gib_qt_sprache() { return lies(&Texte::qt_sprache); }
void setze_qt_sprachcode(const QString& sprache) { schreibe(&Texte::qt_sprache, sprache); }
CQString gib_meldungstitel() { return lies(&Texte::meldungstitel); }
void setze_meldungstitel(const QString& titel) { schreibe(&Texte::meldungstitel, titel); }

namespace {

std::atomic<QSettings*> einstellungen{nullptr};

} // namespace

QSettings* gib_einstellungen() { return einstellungen; }
void setze_einstellungen(QSettings* neu) { einstellungen = neu; }

void schalte_hochaufloesung_ein()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
}
