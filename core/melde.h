// Message functions: one line per message to the log targets, the logger and the console.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <string>

class CQLogBase;

// Target argument of `qmelde`: no window at all (0 means every registered target).
CQLogBase* const KEIN_FENSTER = reinterpret_cast<CQLogBase*>(static_cast<std::intptr_t>(-1));

// Error types: 0-3 errors, 4 warning, 5 information, 6 debug.
void qmelde(const int& typ, CKlasse* const& klasse, const CQString& methode, const CQString& text,
            CQLogBase* ziel = nullptr, bool ohne_logger = false);
// Target selector: -1 `neue_textzeile_2`, 1 `neue_textzeile_3`, any other value `neue_textzeile`.
void melde(const int& typ, CKlasse* const& klasse, const std::string& methode, const std::string& text,
           const int& ziel = 0);

// While one lives in a thread, the `qmelde` lines of that thread that name no target go to its
// window only; the logger (and so the protocol dock) still gets them. A job thread sets it, so
// that its lines stay in its own window and its errors mark no other job's window failed.
class CEigenesMeldeziel
{
public:
    explicit CEigenesMeldeziel(CQLogBase* ziel);
    ~CEigenesMeldeziel();
    CEigenesMeldeziel(const CEigenesMeldeziel&) = delete;
    CEigenesMeldeziel& operator=(const CEigenesMeldeziel&) = delete;

private:
    CQLogBase* vorher;
};

// While on (the default), `qmelde` gives targets that take no HTML the plain line.
void setze_qmelde_schalter(bool an);
bool gib_qmelde_schalter();
