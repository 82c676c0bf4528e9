// Time values: the time stamp of the error file and the date-time value whose texts are a file format.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QString>
#include <ostream>
#include <string>

// A point in local time, taken when asked, printed as date, time or both.
class CZeit : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CZeit();
    ~CZeit() override;

    // Fills year to day of the year from the local time now (seconds resolution).
    void setze_jetzt();
    // Form 0 "dd.MM.yyyy", 1 "hh:mm:ss", 4 "yyyy-MM-dd hh:mm:ss", any other "dd.MM.yyyy - hh:mm:ss".
    std::string& gib_text(std::string& text, int form) const;
    void ausgabe(std::ostream& os) const override;

    int jahr = 0;
    int monat = 0;
    int tag = 0;
    int stunde = 0;
    int minute = 0;
    int sekunde = 0;
    int wochentag = 0;  // 1 = Sunday ... 7 = Saturday
    int tag_im_jahr = 0; // 1..366
    double mikrosekunden = 0.0;
};

// Date and time as seven plain fields; no range is enforced.
class CZeitVDN : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CZeitVDN();
    CZeitVDN(const CZeitVDN& other);
    // Parses the text (read as UTF-8) with `setze_text`; raises what it raises.
    explicit CZeitVDN(const CQString& text);
    ~CZeitVDN() override;
    CZeitVDN& operator=(const CZeitVDN& other);

    // Day to second from the local time now, millisecond 0.
    void setze_jetzt();
    // Chooses the layout by the length of the text in bytes; separator characters are not
    // checked. A length of no layout raises a CQFehler (type 3). A field that is no number
    // becomes 0, with a warning.
    void setze_text(const std::string& text);
    // Reads the fields as UTC and replaces them by the same instant in local time; false (and no
    // change) for an impossible date or time.
    bool zu_qdatetime();

    // "d.M." or "d.M.yyyy" ("0000" for year 0), with leading zeros "dd.MM.".
    std::string& gib_datum_text(std::string& text, bool ohne_jahr, bool fuehrende_nullen) const;
    // "hh:mm", then ":ss" and ".uuu" as asked; hours over days adds 24 hours per day.
    std::string& gib_zeit_text(std::string& text, bool mit_sekunden, bool stunden_ueber_tage,
                               bool mit_millisekunden) const;
    // Date with year, a blank, the time. With seconds and leading zeros and without milliseconds
    // this is the layout "dd.MM.yyyy hh:mm:ss" that `setze_text` reads back unchanged.
    std::string& gib_text(std::string& text, bool mit_sekunden, bool fuehrende_nullen,
                          bool mit_millisekunden) const;
    QString als_qstring(bool mit_sekunden, bool fuehrende_nullen, bool mit_millisekunden) const;
    // Writes the time as "hh:mm".
    void ausgabe(std::ostream& os) const override;

    int tag = 0;
    int monat = 0;
    int jahr = 0;
    int stunde = 0;
    int minute = 0;
    int sekunde = 0;
    int millisekunde = 0;
};
