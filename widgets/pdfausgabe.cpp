#include "pdfausgabe.h"

#include <QPrinter>

CPdfAusgabe::CPdfAusgabe(QPrinter& drucker_) : drucker(drucker_)
{
    if (drucker.outputFormat() != QPrinter::PdfFormat || drucker.outputFileName().isEmpty())
        return;
    datei = std::make_unique<CPdfDatei>(drucker.outputFileName());
    // Without a temporary file the printer gets a name it cannot open: the painter does not
    // begin, and the target is left alone.
    drucker.setOutputFileName(datei->zwischenname().isEmpty() ? datei->gib_ziel() + QStringLiteral("/")
                                                              : datei->zwischenname());
}

CPdfAusgabe::~CPdfAusgabe()
{
    if (datei)
        drucker.setOutputFileName(datei->gib_ziel());
}

QString CPdfAusgabe::beende(bool gelungen)
{
    if (!datei)
        return QString();
    drucker.setOutputFileName(datei->gib_ziel());
    return datei->uebernimm(gelungen);
}
