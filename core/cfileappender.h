// File appender of the framework's logs: puts the process-wide log folder in front of its file name.
#pragma once

#include <log4cpp/FileAppender.hh>

#include <memory>
#include <string>

namespace log4cpp {

class CFileAppender : public FileAppender
{
public:
    // Opens log folder + "/" + `datei` (just `datei` while no folder is set) at once, write-only,
    // created with mode 0644, every write at the end; `anhaengen` false truncates it. A file
    // that cannot be opened still gives an appender, which then writes nothing; so does a name
    // that is no regular file (a pipe, socket or device, also behind a link), which is never
    // waited for.
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

    // The log folder of every file appender built after the call; empty for none.
    static void setze_pfad(const std::string& verzeichnis);
    static std::string gib_pfad();
    // `datei` as the appender's constructor opens it.
    static std::string mit_pfad(const std::string& datei);

protected:
    void _append(const LoggingEvent& ereignis) override;

private:
    struct CGeteilteDatei;
    static std::shared_ptr<CGeteilteDatei> teile_datei(const std::string& pfad, int flags, mode_t rechte);

    const std::string pfad;
    std::shared_ptr<CGeteilteDatei> datei;
};

} // namespace log4cpp
