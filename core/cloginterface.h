// Appender that hands every formatted log event to a registered interface (the protocol window).
#pragma once

#include <log4cpp/LayoutAppender.hh>

#include <string>

namespace log4cpp {

struct LoggingEvent;

// Target of a `CLogInterfaceAppender`. `write` runs in the logging thread while log4cpp holds
// the category's lock: it must not log itself.
class CLogInterface
{
public:
    virtual ~CLogInterface();
    // Every target overrides this; the default does nothing. (Handing the event back to the
    // root category from here would take log4cpp's non-recursive lock a second time.)
    virtual void write(const LoggingEvent& ereignis, const std::string& text);
};

class CLogInterfaceAppender : public LayoutAppender
{
public:
    // The target is not owned and must outlive the appender.
    CLogInterfaceAppender(const std::string& name, CLogInterface* ziel);
    ~CLogInterfaceAppender() override;

    bool reopen() override;
    void close() override;

    CLogInterface* gib_ziel() const { return ziel; }

protected:
    void _append(const LoggingEvent& ereignis) override;

private:
    CLogInterface* ziel;
};

} // namespace log4cpp
