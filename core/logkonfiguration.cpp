#include "logkonfiguration.h"
#include "cfileappender.h"
#include "cpatternlayout.h"
#include "dateien.h"
#include "logprioritaet.h"

#include <log4cpp/BasicLayout.hh>
#include <log4cpp/Category.hh>
#include <log4cpp/Configurator.hh>
#include <log4cpp/OstreamAppender.hh>
#include <log4cpp/RemoteSyslogAppender.hh>
#include <log4cpp/SimpleLayout.hh>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <limits>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace log4cpp {

namespace {

const std::size_t max_musterlaenge = 999;

Category& kategorie_von(const std::string& wort)
{
    return wort == "root" ? Category::getRoot() : Category::getInstance(wort);
}

// A remote syslog appender holds a socket, which counts against the log's share of open files.
class GezaehlterSyslogAppender : public RemoteSyslogAppender
{
public:
    using RemoteSyslogAppender::RemoteSyslogAppender;
    ~GezaehlterSyslogAppender() override { CFileAppender::gib_loghandle_frei(); }
};

// On the console: through the program's own stream, whose buffer the program's lines there share,
// so that no line cuts into another (a file of its own on the same output would write at its own
// moments), and flushed after each line, so that none is lost when the program is killed.
class CStromAppender : public OstreamAppender
{
public:
    using OstreamAppender::OstreamAppender;

protected:
    void _append(const LoggingEvent& ereignis) override
    {
        errno = 0;
        OstreamAppender::_append(ereignis);
        _stream->flush();
        // The stream writes through C's: a line-buffered write that failed may leave the error
        // there only (glibc's fwrite reports the line written).
        std::FILE* const c_strom = _stream == &std::cout ? stdout : stderr;
        if (_stream->good() && !std::ferror(c_strom))
            return;
        // A full disk, or a reader of the pipe that has gone: said once on standard error, and
        // the stream made good again, so that a later line, and the program's own output there,
        // is still tried (the space may come back) rather than dropped in silence.
        const int ursache = errno != 0 ? errno : EIO;
        _stream->clear();
        std::clearerr(c_strom);
        static std::atomic<bool> gemeldet{false};
        if (_stream != &std::cerr && !gemeldet.exchange(true))
            std::cerr << "Log-Ziel " << getName() << " kann nicht mehr geschrieben werden: "
                      << systemfehler(ursache).toLocal8Bit().constData() << std::endl;
    }
};

// The appender of a line; null for one past the log's share of open files.
std::unique_ptr<Appender> baue_appender(std::istream& ein, const std::string& art,
                                        const std::string& kategorie)
{
    if (art == "file" || art == "filetrc") {
        std::string datei;
        if (!(ein >> datei))
            throw ConfigureFailure(
                "Missing filename for log file logging configuration file for category: " + kategorie);
        return std::make_unique<CFileAppender>(kategorie, datei, art == "file");
    }
    if (art == "console" || art == "stdout")
        return std::make_unique<CStromAppender>(kategorie, &std::cout);
    if (art == "stderr")
        return std::make_unique<CStromAppender>(kategorie, &std::cerr);
    if (art == "remotesyslog") {
        std::string syslogname;
        std::string host;
        if (!(ein >> syslogname))
            throw ConfigureFailure("Missing syslogname for SysLogAppender for category: " + kategorie);
        if (!(ein >> host))
            throw ConfigureFailure("Missing syslog host for SysLogAppender for category: " + kategorie);
        // A number that cannot be read leaves the stream failed: the reading ends after this line.
        int facility = LOG_USER;
        int port = 514;
        int zahl = 0;
        if (ein >> zahl)
            facility = zahl;
        if (ein >> zahl)
            port = zahl;
        if (!CFileAppender::belege_loghandle(host))
            return nullptr;
        return std::make_unique<GezaehlterSyslogAppender>(kategorie, syslogname, host, facility, port);
    }
    throw ConfigureFailure("Invalid appender name (" + art
                           + ") in logging configuration file for category: " + kategorie);
}

std::unique_ptr<Layout> baue_layout(std::istream& ein, const std::string& name,
                                    const std::string& kategorie)
{
    if (name == "basic")
        return std::make_unique<BasicLayout>();
    if (name == "simple")
        return std::make_unique<SimpleLayout>();
    if (name == "pattern") {
        auto layout = std::make_unique<CPatternLayout>();
        // The pattern is the rest of the line after any white space, line ends included.
        std::string muster;
        ein >> std::ws;
        if (std::getline(ein, muster)) {
            if (!muster.empty() && muster.back() == '\r')
                muster.pop_back();
            if (muster.size() > max_musterlaenge)
                muster.resize(max_musterlaenge);
            // A pattern the layout refuses leaves it with "%m%n".
            layout->setze_muster(muster);
        }
        return layout;
    }
    throw ConfigureFailure("Invalid layout (" + name
                           + ") in logging configuration file for category: " + kategorie);
}

void setze_prioritaet(std::istream& ein, Category& kategorie, const std::string& kategorie_wort)
{
    std::string wort;
    if (!(ein >> wort))
        throw ConfigureFailure("Missing priority in logging configuration file for category: "
                               + kategorie_wort);
    const ConfigureFailure ungueltig("Invalid priority (" + wort
                                     + ") in logging configuration file for category: "
                                     + kategorie_wort);
    int wert = 0;
    if (!gib_prioritaetswert(wort, wert))
        throw ungueltig;
    try {
        kategorie.setPriority(wert);
    } catch (const std::invalid_argument&) {
        throw ungueltig;
    }
}

void lies_befehle(std::istream& ein)
{
    std::string befehl;
    while (ein >> befehl) {
        if (befehl[0] == '#') {
            ein.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            continue;
        }
        if (befehl == "path") {
            std::string verzeichnis;
            if (ein >> verzeichnis && verzeichnis[0] != '#')
                CFileAppender::setze_pfad(verzeichnis);
            continue;
        }
        std::string kategorie_wort;
        if (!(ein >> kategorie_wort))
            return;
        Category& kategorie = kategorie_von(kategorie_wort);
        if (befehl == "appender") {
            std::string layout_name;
            std::string art;
            if (!(ein >> layout_name >> art))
                continue;
            std::unique_ptr<Appender> appender = baue_appender(ein, art, kategorie_wort);
            // Read also without an appender: a pattern runs to the end of the line.
            std::unique_ptr<Layout> layout = baue_layout(ein, layout_name, kategorie_wort);
            if (!appender)
                continue;
            appender->setLayout(layout.release());
            kategorie.addAppender(appender.release());
        } else if (befehl == "priority") {
            setze_prioritaet(ein, kategorie, kategorie_wort);
        } else if (befehl != "category") {
            throw ConfigureFailure("Invalid format in logging configuration file. Command: " + befehl);
        }
    }
}

} // namespace

void konfiguriere_datei(const std::string& dateiname)
{
    // Read whole through the core, which never waits on a pipe or device of the name.
    std::string text;
    if (!lies_datei(dateiname, text))
        throw ConfigureFailure("Config File " + dateiname + " does not exist or is unreadable");
    konfiguriere_text(text);
}

void konfiguriere_text(const std::string& text)
{
    std::istringstream ein(text);
    lies_befehle(ein);
}

} // namespace log4cpp
