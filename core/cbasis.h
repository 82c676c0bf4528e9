// Root classes of framework objects and the run-time class registry.
#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

class CKlasse;

// Declares the class pointer of a framework class and the two identity operations,
// which answer for the class itself and otherwise ask the direct framework base.
#define FRAMEWORK_KLASSE(Basis)                                                   \
public:                                                                           \
    static CKlasse* klasse;                                                       \
    CKlasse* const& gib_klasse() const override { return klasse; }                \
    bool ist_abgeleitet_von(CKlasse* const& k) const override                     \
    {                                                                             \
        return k == klasse || Basis::ist_abgeleitet_von(k);                       \
    }                                                                             \
                                                                                  \
private:

class CBasis
{
public:
    virtual ~CBasis();
    virtual CKlasse* const& gib_klasse() const;
    virtual bool ist_abgeleitet_von(CKlasse* const& k) const;

    static CKlasse* klasse;
};

class CObjekt : public CBasis
{
    FRAMEWORK_KLASSE(CBasis)
public:
    virtual void ausgabe(std::ostream& os) const = 0;
};

// One class entry: the name of a framework class, registered by name when it is built.
class CKlasse : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    explicit CKlasse(const std::string& name, int zahl3 = 99999999,
                     const std::string& text5 = std::string(), CKlasse* eltern = nullptr,
                     const std::string& text2 = std::string(),
                     const std::string& text3 = std::string(), const int& zahl1 = 99999999,
                     const std::string& text4 = std::string(), const int& zahl2 = 99999999);
    CKlasse(const std::string& name, CKlasse* eltern);
    ~CKlasse() override;

    CKlasse(const CKlasse&) = delete;
    CKlasse& operator=(const CKlasse&) = delete;

    void ausgabe(std::ostream& os) const override;

    const std::string& gib_name() const { return name; }
    CKlasse* gib_eltern() const { return eltern; }
    int gib_id() const { return id; }

    // Looks a class entry up by name; null when none is registered.
    static CKlasse* finde(const std::string& name);
    // Every registered entry, ordered by name.
    static std::vector<CKlasse*> gib_alle();

private:
    void registriere_klasse();

    std::string name;
    std::string text2;
    CKlasse* eltern;
    int zahl1;
    std::string text3;
    int zahl2;
    std::string text4;
    void* frei1 = nullptr;
    int id;
    int zahl3;
    std::string text5;
    void* frei2 = nullptr;
};

// Pseudo entries: free functions (and classes outside the framework tree), and short output.
// The registry builds them when it is created, before any other entry.
extern CKlasse* klasse_funktion;
extern CKlasse* klasse_kurz;
