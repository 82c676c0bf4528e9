#include "cpatternlayout.h"
#include "logprioritaet.h"

#include <log4cpp/LoggingEvent.hh>
#include <log4cpp/Priority.hh>

#include <charconv>
#include <ctime>

namespace log4cpp {

namespace {

const char* const standardmuster = "%m%n";

template <typename Zahl>
void haenge_zahl_an(std::string& text, Zahl zahl)
{
    char puffer[24];
    const auto ergebnis = std::to_chars(puffer, puffer + sizeof puffer, zahl);
    text.append(puffer, ergebnis.ptr);
}

void haenge_zweistellig_an(std::string& text, int zahl)
{
    if (zahl >= 0 && zahl < 10)
        text += '0';
    haenge_zahl_an(text, zahl);
}

std::tm ortszeit(const LoggingEvent& ereignis)
{
    const std::time_t sekunden = ereignis.timeStamp.getSeconds();
    std::tm zeit{};
    localtime_r(&sekunden, &zeit);
    return zeit;
}

// The text of asctime without its line end, built here so that no year can overflow a
// fixed buffer and no locale changes the names.
void haenge_asctime_an(std::string& text, const std::tm& zeit)
{
    static const char* const tage[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const monate[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    text += tage[(zeit.tm_wday % 7 + 7) % 7];
    text += ' ';
    text += monate[(zeit.tm_mon % 12 + 12) % 12];
    text += zeit.tm_mday < 10 ? "  " : " ";
    haenge_zahl_an(text, zeit.tm_mday);
    text += ' ';
    haenge_zweistellig_an(text, zeit.tm_hour);
    text += ':';
    haenge_zweistellig_an(text, zeit.tm_min);
    text += ':';
    haenge_zweistellig_an(text, zeit.tm_sec);
    text += ' ';
    haenge_zahl_an(text, 1900LL + zeit.tm_year);
}

void haenge_kurzzeit_an(std::string& text, const std::tm& zeit)
{
    char puffer[100];
    const std::size_t laenge = std::strftime(puffer, sizeof puffer, "%d.%m.%y %H:%M:%S", &zeit);
    text.append(puffer, laenge);
}

long long millisekunden_seit_start(const LoggingEvent& ereignis)
{
    const TimeStamp& start = TimeStamp::getStartTime();
    return (static_cast<long long>(ereignis.timeStamp.getSeconds()) - start.getSeconds()) * 1000
           + (ereignis.timeStamp.getMilliSeconds() - start.getMilliSeconds());
}

} // namespace

CPatternLayout::CPatternLayout() : muster(standardmuster) {}

CPatternLayout::CPatternLayout(const std::string& neues_muster) : muster(standardmuster)
{
    setze_muster(neues_muster);
}

CPatternLayout::~CPatternLayout() = default;

std::string CPatternLayout::format(const LoggingEvent& ereignis)
{
    std::string text;
    formatiere(muster, ereignis, text);
    return text;
}

bool CPatternLayout::setze_muster(const std::string& neues_muster)
{
    const LoggingEvent probe("", "", "", Priority::INFO);
    std::string text;
    if (!formatiere(neues_muster, probe, text))
        return false;
    muster = neues_muster;
    return true;
}

bool CPatternLayout::formatiere(const std::string& muster, const LoggingEvent& ereignis,
                                std::string& text)
{
    text.clear();
    for (std::size_t i = 0; i < muster.size(); ++i) {
        if (muster[i] != '%') {
            text += muster[i];
            continue;
        }
        if (++i == muster.size()) {
            text.clear();
            return false;
        }
        switch (muster[i]) {
        case '%': text += '%'; break;
        case 'm': text += ereignis.message; break;
        case 'n': text += '\n'; break;
        case 'c': text += ereignis.categoryName; break;
        case 'd': haenge_asctime_an(text, ortszeit(ereignis)); break;
        case 'D': haenge_kurzzeit_an(text, ortszeit(ereignis)); break;
        case 'p': text += gib_prioritaetsname(ereignis.priority); break;
        case 'r': haenge_zahl_an(text, millisekunden_seit_start(ereignis)); break;
        case 'R': haenge_zahl_an(text, ereignis.timeStamp.getSeconds()); break;
        case 'u': haenge_zahl_an(text, static_cast<long long>(std::clock())); break;
        case 'x': text += ereignis.ndc; break;
        default:
            text.clear();
            return false;
        }
    }
    return true;
}

} // namespace log4cpp
