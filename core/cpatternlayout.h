// Pattern layout of the framework's logs: log4cpp's conversions plus "%D", priorities by the framework's names.
#pragma once

#include <log4cpp/Layout.hh>

#include <string>

namespace log4cpp {

// Conversions: %% %m %n %c %d (asctime text) %D (local "%d.%m.%y %H:%M:%S") %p %r %R %u %x.
// Any other character after "%", or a "%" at the end, makes a pattern invalid.
class CPatternLayout : public Layout
{
public:
    // Starts with the pattern "%m%n".
    CPatternLayout();
    // Starts with `muster` when it is valid, else with "%m%n".
    explicit CPatternLayout(const std::string& muster);
    ~CPatternLayout() override;

    std::string format(const LoggingEvent& ereignis) override;

    // Takes a valid pattern and returns true; an invalid one leaves the pattern as it was.
    bool setze_muster(const std::string& muster);
    const std::string& gib_muster() const { return muster; }

    // The event formatted with `muster`; false and an empty text when the pattern is invalid.
    static bool formatiere(const std::string& muster, const LoggingEvent& ereignis, std::string& text);

private:
    std::string muster;
};

} // namespace log4cpp
