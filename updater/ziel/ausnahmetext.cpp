#include "ausnahmetext.h"
#include "cfehler.h"

#include <QCoreApplication>

#include <new>
#include <system_error>

QString ausnahmetext(std::exception_ptr ausnahme)
{
    try {
        std::rethrow_exception(ausnahme);
    } catch (const std::bad_alloc&) {
        return QCoreApplication::translate("UpdaterMainWindow", "Nicht genug Arbeitsspeicher");
    } catch (const std::system_error& fehler) {
        // A thread that cannot be started throws this with EAGAIN, the system's reason.
        const QString grund = QString::fromLocal8Bit(fehler.code().message().c_str());
        if (fehler.code() == std::errc::resource_unavailable_try_again)
            return QCoreApplication::translate("UpdaterMainWindow", "Das System startet keinen weiteren Thread: %1").arg(grund);
        return QString::fromLocal8Bit(fehler.what());
    } catch (const CFehlerBasis& fehler) {
        return QString::fromStdString(fehler.gib_meldung());
    } catch (const std::exception& fehler) {
        return QString::fromLocal8Bit(fehler.what());
    } catch (...) {
    }
    return QCoreApplication::translate("UpdaterMainWindow", "Unbekannte Ausnahme");
}

bool ist_speichermangel(std::exception_ptr ausnahme)
{
    try {
        std::rethrow_exception(ausnahme);
    } catch (const std::bad_alloc&) {
        return true;
    } catch (...) {
    }
    return false;
}
