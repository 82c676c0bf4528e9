#include "cprozess.h"
#include "cdocklog.h"
#include "cfehler.h"
#include "cprozessthread.h"
#include "melde.h"
#include "systemwerte.h"

#include <climits>

CKlasse eintrag_CProzess("CProzess");
CKlasse* CProzess::klasse = &eintrag_CProzess;
CKlasse eintrag_CPPRInterface("CPPRInterface");
CKlasse* CPPRInterface::klasse = &eintrag_CPPRInterface;

void CPPRInterface::ausgabe(std::ostream& os) const
{
    os << "CPPRInterface: " << (gib_fehler() ? "Fehler" : "ok") << '\n';
}

CProzess::CProzess(QObject* eltern, const QString& titel, const QString& text)
    : QObject(eltern), schnittstelle(std::make_shared<CPPRInterface>()), titel(titel), text(text),
      dialog(new CProzessThread(gib_hauptfenster()))
{
    connect(dialog, &CProzessThread::prozessfertig_signal, this, &CProzess::prozessfertig_slot);
}

CProzess::~CProzess()
{
    // A started dialog lives on for its user; one never started would be left over unseen.
    if (!gestartet)
        delete dialog.data();
}

void CProzess::ausgabe(std::ostream& os) const
{
    os << "CProzess: " << aufruf.programm.toStdString() << '\n';
}

CProzessThread* CProzess::gib_dialog() const
{
    return dialog.data();
}

void CProzess::setze_timeout(int sekunden)
{
    aufruf.zeitlimit_ms = sekunden < 0 ? -1 : std::min(sekunden, INT_MAX / 1000) * 1000;
}

void CProzess::protokoll(const QString& zeile)
{
    if (dialog)
        dialog->neue_textzeile(CQString(zeile), 0);
}

bool CProzess::starte()
{
    // A slot of the end signal may delete this runner while the dialog's loop runs.
    const std::shared_ptr<CPPRInterface> ergebnis = schnittstelle;
    try {
        if (dialog) {
            // One program at a time: a second start while the first runs would orphan its worker.
            if (dialog->worker_laeuft())
                return false;
            gestartet = true;
            dialog->starte(titel, text, schliessmodus, schnittstelle, aufruf);
            aufruf.erbe.reset();
            dialog->show();
            if (schliessmodus == 2)
                dialog->hide();
            if (warten)
                dialog->exec();
            else if (schliessmodus == 0)
                dialog->hide();
        }
        return !ergebnis->gib_fehler();
    } catch (const CFehlerBasis& f) {
        CQLogBase* ziel = dialog ? static_cast<CQLogBase*>(dialog.data()) : KEIN_FENSTER;
        qmelde(2, klasse, CQString("CProzess::work"), CQString(tr("Fehler bei ") + text), ziel);
        f.melde(true);
        zeige_protokollfenster();
        schnittstelle->setze_fehler();
        return false;
    }
}

void CProzess::prozessfertig_slot()
{
    emit prozessfertig_signal();
}
