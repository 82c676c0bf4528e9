// File appender of the framework's logs: puts the process-wide log folder in front of its file name.
#pragma once

#include <log4cpp/FileAppender.hh>

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
    CFileAppender(const std::string& name, const std::string& datei, bool anhaengen);
    ~CFileAppender() override;

    // Opens the file again by the same rule; false (the old file kept) when that fails.
    bool reopen() override;

    // The log folder of every file appender built after the call; empty for none.
    static void setze_pfad(const std::string& verzeichnis);
    static std::string gib_pfad();
    // `datei` as the appender's constructor opens it.
    static std::string mit_pfad(const std::string& datei);

private:
    const std::string pfad;
};

} // namespace log4cpp
