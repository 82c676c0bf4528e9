#include "systemwerte.h"

#include <QCoreApplication>
#include <mutex>
#include <QPointer>
#include <QWidget>

namespace {

struct Hauptfenster
{
    std::mutex mutex;
    QPointer<QWidget> fenster;
};

Hauptfenster& hauptfenster()
{
    static Hauptfenster* h = new Hauptfenster;
    return *h;
}

} // namespace

void setze_hauptfenster(QWidget* fenster)
{
    std::lock_guard<std::mutex> lock(hauptfenster().mutex);
    hauptfenster().fenster = fenster;
}

QWidget* gib_hauptfenster()
{
    std::lock_guard<std::mutex> lock(hauptfenster().mutex);
    return hauptfenster().fenster.data();
}

CQString gib_sparte(int modus)
{
    static const char* const namen[] = {
        QT_TRANSLATE_NOOP("allgemein_qt", "Strom"),
        QT_TRANSLATE_NOOP("allgemein_qt", "Gas"),
        QT_TRANSLATE_NOOP("allgemein_qt", "Wasser"),
        QT_TRANSLATE_NOOP("allgemein_qt", "Fernwärme"),
        QT_TRANSLATE_NOOP("allgemein_qt", "Abwasser"),
        QT_TRANSLATE_NOOP("allgemein_qt", "Asset Simulation"),
        QT_TRANSLATE_NOOP("allgemein_qt", "ZozOzizE - Prozesstool"),
        QT_TRANSLATE_NOOP("allgemein_qt", "Versionsverwaltung"),
    };
    if (modus < 0 || modus >= static_cast<int>(sizeof namen / sizeof namen[0]))
        return CQString("?modus?");
    return CQString(QCoreApplication::translate("allgemein_qt", namen[modus]));
}
