// Language selection: the languages with installed translation files, the start language, and switching the translations.
#pragma once

#include "cbasis.h"
#include "ci18n.h"
#include "cqstring.h"

#include <QObject>
#include <map>

// Language code -> display name, e.g. "de" -> "Deutsch", "en" -> "Englisch".
using CSprachTabelle = std::map<CQString, CQString>;

// One object, created at start with the application name and never deleted (keep it in a
// static pointer). Its texts are
// translated by Qt in the context "QObject" (the class has no meta object of its own).
//
// The program's start calls `setze_startsprache` once, after the application object exists
// and before logging is configured. A later switch (`setze_sprache`, e.g. to "en" from the
// command line) may raise a CFehler from a faulty ".itr" file; catch it as `CFehlerBasis&`,
// report it and call `setze_sprache("de")` to go back to German.
class CSprache : public QObject, public CBasis
{
    FRAMEWORK_KLASSE(CBasis)
public:
    // The lower-case name is the stem of the translation files ("aktualisierer").
    explicit CSprache(const CQString& anwendungsname);
    ~CSprache() override;

    // Switches to the language (an empty code keeps the current one): Qt's own ".qm" files
    // ("qt_" and "qtbase_" + code) and the product's ".qm" from the translation folder, and for
    // any language but German a translation table of its own, read from the language's
    // "<name>.itr" in the support folder, whose translator answers from the product's ".qm".
    // A code that `gib_sprachen` does not offer changes nothing. Returns true when the language
    // is German, or its product file is loaded and its ".itr", when there is one, could be read;
    // a missing or unreadable product file and an unreadable ".itr" (a folder or pipe of that
    // name too) are reported on standard error and in the log. A faulty ".itr" raises CFehler.
    bool setze_sprache(const CQString& code);

    // `setze_sprache(ermittle_startsprache())`. When that raises or leaves the language without
    // its product file, it says why on standard error and in the log, switches to German and
    // returns false. Never raises.
    bool setze_startsprache();
};

// The system locale's name in lower case (e.g. "de_de"); `kurz` gives its first two characters.
CQString gib_systemsprache(bool kurz);
// "de", and every language whose product ".qm" file is installed: either all side by side in
// the translation folder as "<name>_<code>.qm" (when "<name>_en.qm" is there), or one
// "<name>.qm" in each language's support folder. Built anew at each call.
CSprachTabelle gib_sprachen();
// The system's language when `gib_sprachen` offers it, else "en".
CQString ermittle_startsprache();

// The translator attached to a language's own table: answers through Qt's installed
// translations (context "QObject"); the context argument is not used.
class CQtUebersetzeInterface : public CUebersetzeInterface
{
public:
    ~CQtUebersetzeInterface() override;
    CString uebersetze(const CString& text, const CString& kontext) override;
};
