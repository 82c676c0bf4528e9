// A PDF file that another writer (Qt's PDF engine, the web engine) writes by itself: written beside its target under a temporary name and put in its place only once whole.
#pragma once

#include <QCoreApplication>
#include <QString>

// Such writers write straight into the file they are given and do not say when a write failed
// (QPainter::end() answers true on a full disk). A file cut short would then take the place of a
// good one. Here the writer gets a new file of its own beside the target, on the same file
// system, and the target is replaced only by a file that ends as a PDF ends, with the
// cross-reference its trailer points to: a write lost anywhere shifts that place or drops the
// end. Otherwise the old file stays byte for byte and the temporary file goes.
class CPdfDatei
{
    Q_DECLARE_TR_FUNCTIONS(CPdfDatei)
public:
    // Makes the temporary file for `ziel`: beside the file its links name, or, where no file may
    // be added there, in the temporary folder (the target is then written in place); when that
    // is not possible, or `ziel` is a link or file that another account planted in a shared
    // folder (see `schreibziel`), `zwischenname()` is empty and `uebernimm` answers why.
    explicit CPdfDatei(const QString& ziel);
    // The temporary file goes unless it was put in place.
    ~CPdfDatei();
    CPdfDatei(const CPdfDatei&) = delete;
    CPdfDatei& operator=(const CPdfDatei&) = delete;

    const QString& gib_ziel() const { return ziel; }
    // The name the writer is to write to.
    const QString& zwischenname() const { return zwischen; }

    // Puts the written file in the target's place; `geschrieben` false when the writer itself
    // reported a failure. Empty when the target now holds the whole PDF (with owner, group,
    // rights and attributes the old file had, see `bereite_ersatz_vor`, or the rights of any new
    // file of the user); otherwise the failure's text, and the target is as it was. Once only.
    QString uebernimm(bool geschrieben = true);

    // Whether `datei` holds a whole PDF: not empty, the trailer at its end, the cross-reference
    // where the trailer says.
    static bool ist_ganz(const QString& datei);

private:
    QString ziel;
    // The file the links of `ziel` name.
    QString echt;
    QString zwischen;
    QString fehler;
    // The target is written in place (`schreibe_an_ort`) instead of replaced.
    bool an_ort = false;
};
