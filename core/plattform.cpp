#include "plattform.h"
#include "ci18n.h"
#include "cstring.h"
#include "klassen.h"
#include "sitzungsende.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <mutex>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A write past the file-size limit raises SIGXFSZ, which by default ends the program before any
// writer can say what failed. Caught and dropped as soon as the core is loaded, the write fails
// with EFBIG instead, like a write to a full disk, which every writer handles. A handler rather
// than SIG_IGN: programs started from here get the default back, as they expect.
void uebergehe_signal(int) {}

const bool dateigrenze_ohne_signal = [] {
    struct sigaction aktion{};
    aktion.sa_handler = uebergehe_signal;
    sigemptyset(&aktion.sa_mask);
    aktion.sa_flags = SA_RESTART;
    // So does a write to a pipe whose reader has gone (the console's output read by `head`): it
    // fails with EPIPE, and the job goes on to its end, its records true.
    return ::sigaction(SIGXFSZ, &aktion, nullptr) == 0 && ::sigaction(SIGPIPE, &aktion, nullptr) == 0;
}();

// Replaceable services, read and replaced from any thread.
template <typename Funktion>
class Haken
{
public:
    void setze(Funktion f)
    {
        std::lock_guard<std::mutex> lock(mutex);
        funktion = std::move(f);
    }
    Funktion gib() const
    {
        std::lock_guard<std::mutex> lock(mutex);
        return funktion;
    }

private:
    mutable std::mutex mutex;
    Funktion funktion;
};

Haken<PiepFunktion>& piep_haken()
{
    static auto* h = new Haken<PiepFunktion>;
    return *h;
}

Haken<ShellFunktion>& shell_haken()
{
    static auto* h = new Haken<ShellFunktion>;
    return *h;
}

Haken<MeldungFunktion>& meldung_haken()
{
    static auto* h = new Haken<MeldungFunktion>;
    return *h;
}

std::atomic<int> konsolenzustand{-1};

bool hat_widget_anwendung()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

bool ist_64bit_architektur(const QString& architektur)
{
    static const QStringList namen = {QStringLiteral("x86_64"),  QStringLiteral("arm64"),
                                      QStringLiteral("ia64"),    QStringLiteral("mips64"),
                                      QStringLiteral("power64"), QStringLiteral("riscv64"),
                                      QStringLiteral("s390x"),   QStringLiteral("sparcv9")};
    return namen.contains(architektur);
}

bool ist_64bit_system()
{
    return ist_64bit_architektur(QSysInfo::currentCpuArchitecture());
}

QString gib_spezialverzeichnis(int csidl)
{
    const int eigene_dateien = 5;
    if (csidl != eigene_dateien)
        return QString();
    const QString pfad = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !pfad.isEmpty() && QDir(pfad).exists() ? pfad : QString();
}

int wnt_c_inq_console()
{
    const int zustand = konsolenzustand;
    if (zustand >= 0)
        return zustand;
    struct stat info;
    int neu = 0;
    if (fcntl(STDOUT_FILENO, F_GETFL) == -1 || fstat(STDOUT_FILENO, &info) != 0)
        neu = 99;
    else if (!S_ISCHR(info.st_mode))
        neu = 80;
    konsolenzustand = neu;
    return neu;
}

int oeffne_konsole(const CQString&)
{
    const int zustand = wnt_c_inq_console();
    if (zustand == 99 || zustand == 80)
        return 1;
    konsolenzustand = 0;
    return 0;
}

void warte_auf_enter(const std::string& text)
{
    if (konsolenzustand == -1)
        return;
    std::cout.flush();
    std::fflush(stdout);
    std::cerr << text << '\n'
              << uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "Bitte <Enter> druecken\n")), &eintrag_CSystemAllg)
                     .gib_string();
    std::cerr.flush();
    // A signal that ends the session (Ctrl+C in the console, a log-out) ends the wait as well: it
    // looks for one every few milliseconds while no line is there to read. Another signal that
    // breaks the poll (a child's end) does not end the wait.
    pollfd eingabe{STDIN_FILENO, POLLIN, 0};
    while (std::cin.rdbuf()->in_avail() <= 0 && sitzungsende_signal() == 0) {
        const int bereit = ::poll(&eingabe, 1, 10);
        if (bereit > 0 || (bereit < 0 && errno != EINTR))
            break;
    }
    if (sitzungsende_signal() == 0)
        std::cin.get();
}

int piepe(unsigned frequenz, unsigned dauer)
{
    if (const PiepFunktion f = piep_haken().gib())
        return f(frequenz, dauer);
    if (!hat_widget_anwendung())
        return 1;
    QApplication::beep();
    return 0;
}

void setze_piep_funktion(PiepFunktion funktion)
{
    piep_haken().setze(std::move(funktion));
}

bool gib_normale_dateirechte(const QString& datei)
{
    // The mask can only be read by setting it; it is put back at once.
    const mode_t maske = ::umask(0);
    ::umask(maske);
    return ::chmod(QFile::encodeName(datei).constData(), 0666 & ~maske) == 0;
}

bool oeffne_mit_shell(const QString& adresse)
{
    if (const ShellFunktion f = shell_haken().gib())
        return f(adresse);
    // No shell in between: blanks, quotes and shell characters stay part of the one argument.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {adresse});
}

void setze_shell_funktion(ShellFunktion funktion)
{
    shell_haken().setze(std::move(funktion));
}

QString titel_der_box(const QString& titel)
{
    return titel.isEmpty() ? QCoreApplication::applicationName() : titel;
}

QMessageBox::StandardButton zeige_meldung_kritisch(QWidget* eltern, const QString& gegebener_titel,
                                                   const QString& text,
                                                   QMessageBox::StandardButtons knoepfe,
                                                   QMessageBox::StandardButton standard)
{
    const QString titel = titel_der_box(gegebener_titel);
    if (const MeldungFunktion f = meldung_haken().gib())
        return f(eltern, titel, text, knoepfe, standard);
    if (!hat_widget_anwendung()) {
        std::cerr << titel.toStdString() << ": " << text.toStdString() << std::endl;
        return QMessageBox::Cancel;
    }
    return QMessageBox::critical(eltern, titel, text, knoepfe, standard);
}

void setze_meldung_funktion(MeldungFunktion funktion)
{
    meldung_haken().setze(std::move(funktion));
}
