// The framework's printer: a QPrinter that knows whether it is the default and whether it writes a PDF file.
#pragma once

#include <QByteArray>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

class QWidget;

class CPrinter : public QPrinter
{
public:
    CPrinter(const QPrinterInfo& info, QPrinter::PrinterMode modus);
    ~CPrinter() override;

    // "PDFDatei" for a PDF-file printer; else the printer's name, or its output file without one.
    QString gib_druckername() const;

    bool ist_default() const { return default_drucker; }
    void setze_default(bool an) { default_drucker = an; }
    bool ist_pdf_datei() const { return pdf_datei; }
    void setze_pdf_datei(bool an) { pdf_datei = an; }
    const QString& gib_ausgabedatei() const { return ausgabedatei; }
    void setze_ausgabedatei(const QString& datei) { ausgabedatei = datei; }
    // Whether a protocol printed on it is placed by the printer's own offsets; nothing sets it yet.
    bool mit_druckerversatz() const { return druckerversatz; }
    void setze_druckerversatz(bool an) { druckerversatz = an; }

    // For a PDF-file printer asks the output file (and remembers it in the control data); true
    // when the job may go on.
    bool setze_pdf_ausgabedatei(QWidget* eltern);
    // Prints finished PDF data page by page with the printer's margins, range, order and copies,
    // each page as a picture of at most 300 dpi; true when every page was printed.
    bool drucke_pdf(const QByteArray& pdf);
    // A printer that writes a PDF file takes the finished PDF data as they are, text and all;
    // false for any other printer and when the file could not be written.
    bool schreibe_pdf_datei(const QByteArray& pdf);

private:
    bool default_drucker = false;
    bool pdf_datei = false;
    QString ausgabedatei;
    bool druckerversatz = false;
};
