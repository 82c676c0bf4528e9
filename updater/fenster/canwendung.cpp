#include "canwendung.h"
#include "ausnahmetext.h"
#include "ereignisuebergabe.h"
#include "ccat.h"
#include "cfehler.h"

#include <exception>

CAnwendung::CAnwendung(int& argc, char** argv) : QApplication(argc, argv) {}

bool CAnwendung::notify(QObject* empfaenger, QEvent* ereignis)
{
    // A posted event that crossed threads is taken over before anyone reads it (ThreadSanitizer
    // builds only).
    uebernimm_ereignis(ereignis);
    try {
        return QApplication::notify(empfaenger, ereignis);
    } catch (...) {
        melde_ausnahme(QStringLiteral("der Ereignisschleife"));
    }
    QCoreApplication::exit(ausnahme_ende);
    return false;
}

void melde_ausnahme(const QString& wo)
{
    // What it was in words: that memory ran out, or no thread could be started.
    CQCat::gib_instanz()->error(CQString(QStringLiteral("Exception in ") + wo + QStringLiteral(": ")
                                         + ausnahmetext(std::current_exception())));
    try {
        throw;
    } catch (const CFehlerBasis& fehler) {
        fehler.melde(true);
    } catch (...) {
    }
}
