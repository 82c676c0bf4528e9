#include "canwendung.h"
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
    QCoreApplication::exit(-1);
    return false;
}

void melde_ausnahme(const QString& wo)
{
    CQCat* logger = CQCat::gib_instanz();
    const QString text = QStringLiteral("Exception in ") + wo;
    try {
        throw;
    } catch (const CFehlerBasis& fehler) {
        logger->error(CQString(text + QStringLiteral(": ") + QString::fromStdString(fehler.gib_meldung())));
        fehler.melde(true);
    } catch (const std::exception& fehler) {
        logger->error(CQString(text + QStringLiteral(": ") + QString::fromLocal8Bit(fehler.what())));
    } catch (...) {
        logger->error(CQString(text));
    }
}
