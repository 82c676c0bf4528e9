// File appender of the framework's logs: puts the process-wide log folder in front of its file name.
#pragma once

#include <log4cpp/FileAppender.hh>

#include <functional>
#include <memory>
#include <string>

namespace log4cpp {

// One open log file that appenders share; defined with the appender.
struct CGeteilteLogdatei;

class CFileAppender : public FileAppender
{
public:
    // Opens log folder + "/" + `datei` (just `datei` while no folder is set) at once, write-only,
    // created with mode 0644, every write at the end; `anhaengen` false truncates it. A file
    // that cannot be opened still gives an appender, which then writes nothing; so does a name
    // that is no regular file (a pipe, socket or device, also behind a link), which is never
    // waited for, and a link on the way that another user owns, which is never followed.
    // All appenders naming one file share one open file, and log files together hold at most a
    // quarter of the open-files limit, so that a configuration of thousands of appenders leaves
    // the program the handles its own work needs. A file that cannot be opened, and the first
    // one past that share, are said once on standard error; so is the first write that fails
    // (a full disk, the file-size limit).
    CFileAppender(const std::string& name, const std::string& datei, bool anhaengen);
    ~CFileAppender() override;

    // Opens the file again by the same rule, for every appender sharing it; false (the old file
    // kept) when that fails.
    bool reopen() override;

    // The log's share of the open-files limit, which every handle a log appender holds (a file,
    // a socket) counts against: true when one more may be taken, and then it is counted; false
    // past the share, said once on standard error with `name`. `gib_loghandle_frei` returns one.
    static bool belege_loghandle(const std::string& name);
    static void gib_loghandle_frei();

    // The log folder of every file appender built after the call; empty for none.
    static void setze_pfad(const std::string& verzeichnis);
    static std::string gib_pfad();
    // `datei` as the appender's constructor opens it.
    static std::string mit_pfad(const std::string& datei);

protected:
    void _append(const LoggingEvent& ereignis) override;

private:
    // The file by the rule of the constructor; -1 with errno when it cannot be opened.
    int oeffne() const;

    // The shared file of `schluessel`, opened by `oeffne` (a descriptor, or -1 with errno) unless
    // open already; `kuerzen` empties a file already open, as a second open would have.
    static std::shared_ptr<CGeteilteLogdatei> teile_datei(const std::string& schluessel, const std::function<int()>& oeffne,
                                                       bool kuerzen);

    const std::string pfad;
    std::shared_ptr<CGeteilteLogdatei> datei;
};

} // namespace log4cpp
