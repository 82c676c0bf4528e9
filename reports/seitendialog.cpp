#include "seitendialog.h"
#include "dialogseam.h"
#include "dpagesetupdialog.h"
#include "gui.h"

#include <QPageSetupDialog>

namespace {

// Built on first use and never destroyed, like the widget library's dialog replacements.
SeiteneinrichtungFunktion& seiten_haken()
{
    static auto* f = new SeiteneinrichtungFunktion;
    return *f;
}

} // namespace

int frage_seiteneinrichtung(QPrinter* drucker, QWidget* eltern, bool eigener_dialog, const QString& titel)
{
    if (!drucker)
        return QDialog::Rejected;
    if (seiten_haken())
        return seiten_haken()(eltern, *drucker, eigener_dialog, titel);
    if (!ist_gui_lauf())
        return QDialog::Rejected;
    // Not on this stack: `eltern` may be deleted while the dialog runs.
    QDialog* const dialog = eigener_dialog ? static_cast<QDialog*>(new DPageSetupDialog(drucker, eltern))
                                           : new QPageSetupDialog(drucker, eltern);
    if (!titel.isEmpty())
        dialog->setWindowTitle(titel);
    return fuehre_dialog_aus(dialog);
}

void setze_seiteneinrichtung_funktion(SeiteneinrichtungFunktion funktion)
{
    seiten_haken() = std::move(funktion);
}
