// Translation tables: msgid -> msgstr from ".itr" files, a replaceable translator, and `uebersetze_`.
#pragma once

#include "cbasis.h"
#include "cstring.h"

#include <QFile>

#include <map>
#include <string>

class CUebersetzeInterface
{
public:
    virtual ~CUebersetzeInterface();
    virtual CString uebersetze(const CString& text, const CString& kontext) = 0;
};

class CI18n : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CI18n();
    ~CI18n() override;

    void ausgabe(std::ostream& os) const override;

    // The stored translation of exactly this text, else the text itself.
    std::string uebersetze(const std::string& text) const;
    // Reads a ".itr" file into the table; an unknown escape raises a CFehler (type 0). A file
    // that cannot be opened or read (also a folder or pipe of that name), or holds more than
    // 64 MiB, gives a warning and false, and leaves the table unchanged.
    bool importiere_uebersetzungen(const std::string& dateiname);
    // The same from a file opened elsewhere (by a look-up that judged the file it opened), named
    // `name` in the messages.
    bool importiere_uebersetzungen(QFile& datei, const std::string& name);

    CUebersetzeInterface* gib_uebersetzer() const { return uebersetzer; }
    void setze_uebersetzer(CUebersetzeInterface* u) { uebersetzer = u; }
    const std::map<std::string, std::string>& gib_tabelle() const { return tabelle; }

private:
    void lies_tabelle(const std::string& daten);

    std::map<std::string, std::string> tabelle;
    CUebersetzeInterface* uebersetzer = nullptr;
};

CI18n* gib_i18n();
// Makes the table current and returns the previous one; nothing is deleted.
CI18n* setze_i18n(CI18n* tabelle);

// Translation in the context "uebersetze_" + class name, or "uebersetze_" + kontext.
CString uebersetze_(const CString& text, CKlasse* const& klasse);
CString uebersetze_(const CString& text, const CString& kontext);
