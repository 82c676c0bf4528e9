// One access group of the user administration, the process-wide list of them and the count of a group's users.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QCoreApplication>

class QWidget;

class CAclGroup : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
    // The messages of reading the list.
    Q_DECLARE_TR_FUNCTIONS(CAclGroup)
public:
    CAclGroup(int nummer, const CQString& name);
    ~CAclGroup() override;

    // Writes nothing.
    void ausgabe(std::ostream& os) const override;

    int gib_nummer() const { return nummer; }
    const CQString& gib_name() const { return name; }

private:
    int nummer;
    CQString name;
};

// The list itself is `gib_gruppenliste()`: ordered by name, names unique, groups owned by it.

// Rebuilds the list from the group table of the current user-administration database; empty on
// success, else the error text (the list stays empty). `anzahl` gets the number of rows read.
CQString lese_gruppen(int& anzahl);
// `lese_gruppen` for a page about to show the groups: false after a critical box with the error
// text (on the main window, else on `eltern`).
bool lese_gruppen_oder_melde(QWidget* eltern);
// The number of users in the group; -1 when the user table cannot be read (reported).
int ngruppe_vorhanden(unsigned gruppe);
// Appends a new group to the list.
void neue_gruppe(int nummer, const CQString& name);
// Deletes every group of the list and empties it.
void loesche_gruppen();
