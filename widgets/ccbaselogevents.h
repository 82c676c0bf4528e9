// Events that a log window's worker side posts to its window, one class per event number.
#pragma once

#include "cqstring.h"
#include "ereignisuebergabe.h"

#include <QEvent>

#include <vector>

namespace CCBaseLogEvent {
constexpr QEvent::Type Fortschritt = static_cast<QEvent::Type>(10001);
constexpr QEvent::Type Textzeile = static_cast<QEvent::Type>(10002);
constexpr QEvent::Type Titelzeile = static_cast<QEvent::Type>(10003);
constexpr QEvent::Type TotalSteps = static_cast<QEvent::Type>(10004);
constexpr QEvent::Type Setting = static_cast<QEvent::Type>(10007);
constexpr QEvent::Type TitelData = static_cast<QEvent::Type>(10008);
} // namespace CCBaseLogEvent

class CCbaseLogFortschrittGeaendert : public QEvent
{
public:
    explicit CCbaseLogFortschrittGeaendert(unsigned schritt)
        : QEvent(CCBaseLogEvent::Fortschritt), schritt(schritt)
    {
    }
    unsigned schritt;
};

// Lines wait in their window, not in the event: a worker posts one event for every run of lines
// that the window has not yet taken (one event and one wake-up of the GUI thread per line kept it
// and the worker busy for as long as the lines came). The window takes every waiting line when
// the event arrives and leaves in `zeilen` those it took, in their order.
class CCbaseLogNeueTextzeile : public QEvent
{
public:
    struct Zeile
    {
        CQString text;
        int typ = 0;
    };
    CCbaseLogNeueTextzeile() : QEvent(CCBaseLogEvent::Textzeile) {}
    // An event Qt deletes undelivered (its receiver gone, or the program at its end) never passes
    // the filter that takes it over from the posting thread: its members go after that, here.
    ~CCbaseLogNeueTextzeile() override { uebernimm_ereignis(this); }
    std::vector<Zeile> zeilen;
};

class CCbaseLogNeueTitelzeile : public QEvent
{
public:
    explicit CCbaseLogNeueTitelzeile(const CQString& text) : QEvent(CCBaseLogEvent::Titelzeile), text(text) {}
    ~CCbaseLogNeueTitelzeile() override { uebernimm_ereignis(this); }
    CQString text;
};

class CCbaseLogsetTotalSteps : public QEvent
{
public:
    explicit CCbaseLogsetTotalSteps(int gesamt) : QEvent(CCBaseLogEvent::TotalSteps), gesamt(gesamt) {}
    int gesamt;
};

class CCbaseLogSetting : public QEvent
{
public:
    CCbaseLogSetting(int art, int wert) : QEvent(CCBaseLogEvent::Setting), art(art), wert(wert) {}
    int art;
    int wert;
};

class CCbaseLogTitelData : public QEvent
{
public:
    explicit CCbaseLogTitelData(const CQString& text) : QEvent(CCBaseLogEvent::TitelData), text(text) {}
    ~CCbaseLogTitelData() override { uebernimm_ereignis(this); }
    CQString text;
};
