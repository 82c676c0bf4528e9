// One line of a separated text file split into cells.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <ostream>
#include <vector>

// Separator of `CQIOZeileExcel::zerlege`; the semicolon unless a caller sets another.
extern char trennzeichen;

class CQIOZeileExcel : public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CQIOZeileExcel();
    ~CQIOZeileExcel() override;

    // Replaces the cells by the pieces of the line between separators; always leaves at least
    // one cell. With `trimmen` blanks (and TABs, unless TAB is the separator) around a cell are
    // dropped. A double quote at the start of a cell opens a quoted part in which the separator
    // is ordinary text; the first following double quote closes it (there is no escape), and a
    // quoted part without closing quote runs to the end of the line. The quotes are dropped.
    bool zerlege(const CQString& zeile, const bool& trimmen);
    // The cell at `index` (first 0); raises a CQFehler (type 0) when there is no such cell.
    CQString gib_element(const int& index) const;
    int anzahl() const { return static_cast<int>(zellen.size()); }
    // One line per cell: its Latin-1 text, then "***".
    void ausgabe(std::ostream& os) const override;

private:
    std::vector<CQString> zellen;
};
