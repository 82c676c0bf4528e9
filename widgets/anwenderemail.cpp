#include "anwenderemail.h"

namespace {

AnwenderEmailFunktion& abfrage()
{
    static AnwenderEmailFunktion funktion;
    return funktion;
}

} // namespace

CQString gib_anwender_email_tags(const CQString& anwender)
{
    return abfrage() ? abfrage()(anwender) : CQString();
}

void setze_anwender_email_funktion(AnwenderEmailFunktion funktion)
{
    abfrage() = std::move(funktion);
}
