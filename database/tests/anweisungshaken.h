// Runs a test's own code at the moment the SQL layer logs a statement, just before the statement runs: another administrator's step, or the end of the server session, lands between two steps of the program.
#pragma once

#include <log4cpp/AppenderSkeleton.hh>
#include <log4cpp/Category.hh>

#include <functional>
#include <string>

class Anweisungshaken
{
public:
    // `bei` gets each statement as logged (the database object's log level must be 1 or more).
    // It must not log: log4cpp holds its lock while it runs.
    explicit Anweisungshaken(std::function<void(const std::string&)> bei) : appender(new Appender(std::move(bei)))
    {
        wurzel.addAppender(appender);
        wurzel.setPriority(log4cpp::Priority::DEBUG);
    }
    // The category owns the appender and deletes it here.
    ~Anweisungshaken() { wurzel.removeAppender(appender); }
    Anweisungshaken(const Anweisungshaken&) = delete;
    Anweisungshaken& operator=(const Anweisungshaken&) = delete;

    // Whether the logged line is a statement of the SQL layer.
    static bool ist_anweisung(const std::string& text)
    {
        for (const char* anfang : {"SELECT ", "INSERT ", "UPDATE ", "DELETE "})
            if (text.rfind(anfang, 0) == 0)
                return true;
        return false;
    }

private:
    class Appender : public log4cpp::AppenderSkeleton
    {
    public:
        explicit Appender(std::function<void(const std::string&)> bei)
            : AppenderSkeleton("anweisungshaken"), bei(std::move(bei))
        {
        }
        void close() override {}
        bool requiresLayout() const override { return false; }
        void setLayout(log4cpp::Layout*) override {}

    protected:
        void _append(const log4cpp::LoggingEvent& ereignis) override { bei(ereignis.message); }

    private:
        std::function<void(const std::string&)> bei;
    };

    log4cpp::Category& wurzel = log4cpp::Category::getRoot();
    Appender* appender;
};
