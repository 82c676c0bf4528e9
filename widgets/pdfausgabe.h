// A printer's PDF output file, written beside its target and put in place only when whole.
#pragma once

#include "pdfdatei.h"

#include <QString>

#include <memory>

class QPrinter;

// While this object lives, a printer that writes a PDF file writes it under a temporary name
// beside the file it names (see CPdfDatei); any other printer is left as it is. Made before the
// painter begins, ended after the painter ended; the printer names its own file again when this
// object goes.
class CPdfAusgabe
{
public:
    explicit CPdfAusgabe(QPrinter& drucker);
    ~CPdfAusgabe();
    CPdfAusgabe(const CPdfAusgabe&) = delete;
    CPdfAusgabe& operator=(const CPdfAusgabe&) = delete;

    // Puts the file in place; `gelungen` false when the painter or the printer reported a
    // failure. Empty when the file is in place or the printer writes none; otherwise the
    // failure's text, and the old file stays as it was.
    QString beende(bool gelungen);

private:
    QPrinter& drucker;
    std::unique_ptr<CPdfDatei> datei;
};
