#include "cloginterface.h"

#include <log4cpp/Layout.hh>
#include <log4cpp/LoggingEvent.hh>

namespace log4cpp {

CLogInterface::~CLogInterface() = default;

void CLogInterface::write(const LoggingEvent&, const std::string&) {}

CLogInterfaceAppender::CLogInterfaceAppender(const std::string& name, CLogInterface* ziel)
    : LayoutAppender(name), ziel(ziel)
{
}

CLogInterfaceAppender::~CLogInterfaceAppender() = default;

bool CLogInterfaceAppender::reopen() { return true; }

void CLogInterfaceAppender::close() {}

void CLogInterfaceAppender::_append(const LoggingEvent& ereignis)
{
    if (!ziel)
        return;
    // log4cpp calls appenders from a function that must not throw: an escaping exception
    // would end the process.
    try {
        ziel->write(ereignis, _getLayout().format(ereignis));
    } catch (...) {
    }
}

} // namespace log4cpp
