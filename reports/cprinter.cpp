#include "cprinter.h"

#include <QCoreApplication>

CPrinter::CPrinter(const QPrinterInfo& info, QPrinter::PrinterMode modus) : QPrinter(info, modus) {}

CPrinter::~CPrinter() = default;

QString CPrinter::gib_druckername() const
{
    if (pdf_datei)
        return QCoreApplication::translate("CPrinter", "PDFDatei");
    const QString name = printerName();
    return name.isEmpty() ? outputFileName() : name;
}

bool CPrinter::setze_pdf_ausgabedatei(QWidget*)
{
    if (!pdf_datei)
        return true;
    setOutputFileName(ausgabedatei);
    return !ausgabedatei.isEmpty();
}

bool CPrinter::drucke_pdf(const QByteArray&)
{
    return false;
}
