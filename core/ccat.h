// The process-wide logger: one object over one log4cpp category.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <string>

namespace log4cpp {
class Category;
}

class CQCat : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    // The one logger, created on first use and never destroyed.
    static CQCat* gib_instanz();

    CQCat();
    ~CQCat() override;
    void ausgabe(std::ostream& os) const override;

    CQString gib_name() const;

    void debug(const CQString& text);
    void info(const CQString& text);
    void warn(const CQString& text);
    void error(const CQString& text);
    void log(int prioritaet, const CQString& text);

    // std::string texts go to the log byte for byte.
    void info(const std::string& text);
    void error(const std::string& text);
    void log(int prioritaet, const std::string& text);

    log4cpp::Category* gib_kategorie() const { return kategorie; }

    // The logger name; `konfiguriere_logging` sets it to the upper-cased application name.
    static void setze_name(const CQString& name);

    // True once the process has begun to exit: log4cpp's categories may be gone, so nothing is logged.
    static bool ist_beendet();

private:
    log4cpp::Category* kategorie;
};
