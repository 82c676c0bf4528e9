// Drives the real Qt Assistant: asks for the updater's help on the application root given as the
// argument, then checks that the assistant runs and reads the command; exit 0 when it does.
#include "chilfesystem.h"
#include "verzeichnisse.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Bytes in the process's standard input that it has not read yet; -1 when unknown.
int ungelesen(qint64 pid)
{
    const int fd = ::open(("/proc/" + QByteArray::number(pid) + "/fd/0").constData(), O_RDONLY | O_NONBLOCK);
    int anzahl = -1;
    if (fd >= 0 && ::ioctl(fd, FIONREAD, &anzahl) != 0)
        anzahl = -1;
    if (fd >= 0)
        ::close(fd);
    return anzahl;
}

// Runs events until `fertig` holds or `ms` have passed; the time taken.
template <typename F>
qint64 warte(int ms, F fertig)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!fertig() && uhr.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return uhr.elapsed();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    gib_anwendungsverzeichnis(true, CQString(QString::fromLocal8Bit(argv[1]) + "/aktualisierer"), true);
    CHilfeSystem* hilfe = CHilfeSystem::instanz();
    if (!init_hilfsystem(CQString("updater")) || (hilfe->zeige_hilfe(CQString("updater")), !hilfe->laeuft())) {
        std::fprintf(stderr, "hilfetreiber: assistant not started\n");
        return 1;
    }
    const qint64 pid = hilfe->gib_prozess()->processId();

    // Read: everything handed to the pipe and the pipe empty again; and still running after that.
    auto gelesen = [&] {
        const QProcess* p = hilfe->gib_prozess();
        return p && p->bytesToWrite() == 0 && ungelesen(pid) == 0;
    };
    const qint64 lesezeit = warte(15000, [&] { return !hilfe->laeuft() || gelesen(); });
    const bool ok = gelesen();
    warte(500, [] { return false; });
    const bool laeuft = hilfe->laeuft();

    if (laeuft)
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    warte(5000, [&] { return !hilfe->laeuft(); });
    std::fprintf(stderr, "hilfetreiber: command %s within %lld ms, %s after it, end %s\n", ok ? "read" : "not read",
                 static_cast<long long>(lesezeit), laeuft ? "running" : "ended", hilfe->laeuft() ? "not seen" : "seen");
    return ok && laeuft && !hilfe->laeuft() ? 0 : 1;
}
