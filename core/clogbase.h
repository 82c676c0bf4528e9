// Log interface of the framework: the abstract log target, its Qt level, and the groups of targets.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class CLogBase;

// An ordered set of log targets. Targets come and go in the GUI thread while job threads
// report, so every access holds the group's lock; a report holds it while it calls the
// targets, so a target that has left the group is never called again. Members that are not
// yet (or no longer) signed on are skipped.
class CLogGruppe
{
public:
    CLogGruppe();
    virtual ~CLogGruppe();

    virtual bool alle_bereit() const;

    void einfuegen(CLogBase* ziel);
    void entfernen(CLogBase* ziel);
    bool enthaelt(CLogBase* ziel) const;
    bool leer() const;
    std::vector<CLogBase*> kopie() const;
    // Calls `f` for every member in order, under the group's lock.
    void fuer_alle(const std::function<void(CLogBase*)>& f) const;

    // Group output of `melde`.
    void schreibe(const std::string& zeile, const int& level) const;
    void schreibe_2(const std::string& zeile, const int& level) const;
    void schreibe_3(const std::string& zeile, const int& level) const;
    void schreibe_text(const std::string& zeile, const int& level, const bool& html) const;

private:
    void schreibe_mit(void (CLogBase::*op)(const std::string&, const int&), const std::string& zeile,
                      const int& level) const;

    std::set<CLogBase*> ziele;
    mutable std::recursive_mutex mutex;
};

// The log group of all CLogBase objects (`melde`), and the list of Qt log targets (`qmelde`).
CLogGruppe& gib_log_gruppe();
CLogGruppe& gib_qlog_ziele();

class CLogBase : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CLogBase();
    ~CLogBase() override;

    void ausgabe(std::ostream& os) const override;
    virtual void setze_fortschritt(int schritt, int zweiter);
    virtual void setze_fortschritt(int schritt) = 0;
    virtual void setze_info(int a, int b) = 0;
    virtual void neue_textzeile(const std::string& text, const int& level) = 0;
    virtual void tue_nichts_a();
    virtual void tue_nichts_b();
    virtual void neue_textzeile_2(const std::string& text, const int& level);
    virtual void neue_textzeile_3(const std::string& text, const int& level);
    virtual void neue_zusatzzeile(const std::string& text) = 0;
    virtual void neue_titelzeile(const std::string& text) = 0;
    virtual bool kann_html();
    virtual void setTotalSteps(int gesamt);
    virtual void setze_zusatz(int a, int b);
    virtual void setze_zurueck();
    virtual void setze_fehler();
    virtual bool ist_ok();
    virtual void setze_warnung();
    virtual bool ohne_warnung();
    virtual void setze_abbruch();
    virtual bool ist_abbruch();
    virtual void setze_fertig();
    virtual bool ist_bereit() = 0;

    // True between `anmelden` and `abmelden`: only then do the groups call the object.
    bool ist_angemeldet() const { return angemeldet; }

protected:
    // A log target enters its groups when its base part is built, but reports from other
    // threads reach it only once it is whole: the concrete class calls `anmelden` at the end
    // of its constructor, and `abmelden` first thing in its destructor (the base destructors
    // call it too). `abmelden` returns only when no report is still running in the object.
    void anmelden();
    void abmelden();

    // Set by a job thread, read by the GUI thread at job end.
    std::atomic<bool> fehler{false};
    std::atomic<bool> warnung{false};
    std::atomic<bool> abbruch{false};
    std::atomic<bool> fertig{false};

private:
    std::atomic<bool> angemeldet{false};
};

class CQLogBase : public CLogBase
{
public:
    CQLogBase();
    ~CQLogBase() override;

    void neue_textzeile(const std::string& text, const int& level) override;
    void neue_zusatzzeile(const std::string& text) override;
    void neue_titelzeile(const std::string& text) override;
    bool ist_bereit() override;

    virtual void neue_textzeile(const CQString& text, const int& level) = 0;
    virtual void neue_zusatzzeile(const CQString& text) = 0;
    virtual void neue_titelzeile(const CQString& text) = 0;
    virtual void titel_data(const CQString& text) = 0;
    virtual bool ist_abgebrochen();
    virtual void setze_handle(int h);
    virtual int gib_handle();
    virtual void setting(int wert);

protected:
    std::atomic<bool> abgebrochen{false};
    int handle = -1;
};
