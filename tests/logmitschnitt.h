// Catches the log lines written while a test runs: an appender on log4cpp's root category, at every priority.
#pragma once

#include <log4cpp/Category.hh>
#include <log4cpp/StringQueueAppender.hh>

#include <string>

class LogMitschnitt
{
public:
    LogMitschnitt()
    {
        wurzel.addAppender(appender);
        wurzel.setPriority(log4cpp::Priority::DEBUG);
    }
    // The category owns the appender and deletes it here.
    ~LogMitschnitt() { wurzel.removeAppender(appender); }
    LogMitschnitt(const LogMitschnitt&) = delete;
    LogMitschnitt& operator=(const LogMitschnitt&) = delete;

    // Every line so far, one per line.
    std::string text() const
    {
        std::string alles;
        for (auto zeilen = appender->getQueue(); !zeilen.empty(); zeilen.pop())
            alles += zeilen.front() + "\n";
        return alles;
    }

private:
    log4cpp::Category& wurzel = log4cpp::Category::getRoot();
    log4cpp::StringQueueAppender* appender = new log4cpp::StringQueueAppender("mitschnitt");
};
