// Context help over Qt Assistant: finds the program and the help files, starts it, tells it the page.
#pragma once

#include "cqstring.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QStringList>

class QWidget;

// The single help object. `init_hilfsystem` sets it up; `zeige_hilfe` starts the assistant on the
// first request and sends the page of a help topic, or of the focused widget's object names.
class CHilfeSystem : public QObject
{
    Q_OBJECT
public:
    static CHilfeSystem* instanz();

    void zeige_hilfe(const CQString& thema);
    // F1 (without Shift) as shortcut override on a widget asks for help; never consumes the event.
    // Installed on the application, the filter sees one key press once for every widget from the
    // focus widget up to its window: only the focus widget's (or, without one, the window's)
    // turn asks, so that one key press sends one page.
    bool eventFilter(QObject* objekt, QEvent* event) override;

    QStringList& gib_ignorierliste() { return ignorierliste; }
    const CQString& gib_hilfeverzeichnis() const { return hilfeverzeichnis; }
    const CQString& gib_programm() const { return programm; }
    const CQString& gib_dokumentationsname() const { return dokuname; }
    bool laeuft() const { return prozess != nullptr; }
    // The running assistant; null while none runs.
    const QProcess* gib_prozess() const { return prozess; }

public slots:
    void hilfe_slot(const CQString& thema);
    void hilfe_slot();
    void finished_slot(int code, QProcess::ExitStatus status);

private:
    CHilfeSystem();
    bool starte_assistent();
    CQString schluessel_des_fokus() const;
    bool ist_ignorierter_name(const QString& name) const;
    void sende_hilfeseite(const CQString& schluessel);
    CQString suche_seite(const QString& schluessel) const;
    bool lies_index();

    friend bool init_hilfsystem(const CQString& dokumentationsname);

    CQString hilfeverzeichnis;
    QStringList ignorierliste;
    // The main window's workspace; it may be gone before the help object, which lives to the end.
    QPointer<QWidget> workspace;
    QProcess* prozess = nullptr;
    QMap<CQString, CQString> index;
    CQString standardseite;
    CQString programm;
    CQString dokuname;
};

// Finds the assistant and the help files of `dokumentationsname` (empty: "Kelmor"); false, with a
// log line, when something is missing.
bool init_hilfsystem(const CQString& dokumentationsname);
