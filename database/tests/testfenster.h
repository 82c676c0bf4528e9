// A log window for tests: every line it is given (statements of script mode, reports), in order.
#pragma once

#include "clogbase.h"

#include <QStringList>

class TestFenster : public CQLogBase
{
public:
    TestFenster() { anmelden(); }
    ~TestFenster() override { abmelden(); }
    using CQLogBase::neue_textzeile;
    void setze_fortschritt(int) override {}
    void setze_info(int, int) override {}
    void neue_textzeile(const CQString& text, const int&) override { zeilen.append(text); }
    void neue_zusatzzeile(const CQString&) override {}
    void neue_titelzeile(const CQString&) override {}
    void titel_data(const CQString&) override {}
    bool kann_html() override { return false; }

    QStringList zeilen;
};
