// The bundle of the framework's process-wide objects, the process-wide window pointers, and the main-window event.
#pragma once

#include "clogbase.h"
#include "cqstring.h"
#include "steuervarliste.h"

#include <QEvent>
#include <QMarginsF>
#include <QObject>
#include <QPointer>

class CDockLog;
class CQCat;
class CQWorkspace;
class CSteuerdaten;
class QPrinter;
class QSettings;
class QStatusBar;
class QWidget;

// What the printer assignment offers to the windows that print; the report services implement it.
// The printers it hands out stay its own.
class CDruckerzuordnung
{
public:
    virtual ~CDruckerzuordnung();

    // The default printer, or null with `meldung` saying why (plus a hint where to assign one,
    // unless `ohne_hinweis` is set).
    virtual QPrinter* gib_standarddrucker(CQString& meldung, const bool& ohne_hinweis) = 0;
    // Runs the page set-up of the assignment; 1 when the user accepted.
    virtual int richte_seite_ein() = 0;
    // Asks for the output file when the printer writes a PDF file; false when the job must stop.
    virtual bool setze_pdf_ausgabedatei(QPrinter* drucker, QWidget* eltern) = 0;
    // The printer's name, paper and margins in one line (without the minimum margins when
    // `ohne_minimum` is set).
    virtual void gib_druckerbeschreibung(QString& ergebnis, QPrinter* drucker, bool ohne_minimum) = 0;
    // True when the body is to be placed by the printer's own offsets.
    virtual bool mit_druckerversatz(QPrinter* drucker) = 0;
    // The margins of the printer's page layout in millimetres.
    virtual QMarginsF gib_seitenraender(QPrinter* drucker) = 0;
};

// Process-wide window pointers, published by the main window (null until then).
CQWorkspace* gib_workspace();
void setze_workspace(CQWorkspace* workspace);
QStatusBar* gib_statusbar();
void setze_statusbar(QStatusBar* statusbar);
CDockLog* gib_docklog();
void setze_docklog(CDockLog* dock);

// One object through which code reaches the process-wide objects. Its fields are a snapshot taken
// when it is created; a window that was still null then, or has been destroyed since, is read
// live, so that an object published later (the workspace built after the bundle) is still found
// and a destroyed one is never handed out.
class CAmisc : public QObject
{
    Q_OBJECT
public:
    // The bundle; created (and its snapshot taken) by the first call with `erzeugen` set, null
    // before that. Never destroyed.
    static CAmisc* instanz(const bool& erzeugen);

    // Reads every field from its source (the counter excepted).
    void sammle();

    const CQString& gib_meldungstitel() const { return meldungstitel; }
    CQWorkspace* gib_workspace() const;
    QWidget* gib_hauptfenster() const;
    CDockLog* gib_docklog() const;
    QStatusBar* gib_statusbar() const;
    CQCat* gib_logger() const { return logger; }
    // The store of the snapshot, or the live one when it was created after the snapshot.
    CSteuerdaten* gib_steuerdaten() const;
    CSteuerVarListe* gib_steuervar_liste() const { return steuervariablen; }
    QSettings* gib_einstellungen() const { return einstellungen; }
    const CQString& gib_farbe_warnung() const { return farbe_warnung; }
    const CQString& gib_farbe_fehler() const { return farbe_fehler; }
    CLogGruppe* gib_log_ziele() const { return log_ziele; }
    int& zaehler() { return zaehler_; }

    // The printer assignment of the report services; null until they install one.
    CDruckerzuordnung* gib_druckerzuordnung() const { return druckerzuordnung; }
    void setze_druckerzuordnung(CDruckerzuordnung* zuordnung) { druckerzuordnung = zuordnung; }

private:
    CAmisc();

    CQString meldungstitel;
    // Windows of the snapshot, forgotten when they are destroyed (a later one is then read live).
    QPointer<QObject> workspace;
    QPointer<QObject> hauptfenster;
    QPointer<QObject> docklog;
    QPointer<QObject> statusbar;
    CQCat* logger = nullptr;
    CSteuerdaten* steuerdaten = nullptr;
    CSteuerVarListe* steuervariablen = nullptr;
    QSettings* einstellungen = nullptr;
    CQString farbe_warnung;
    CQString farbe_fehler;
    CLogGruppe* log_ziele = nullptr;
    int zaehler_ = 0;
    CDruckerzuordnung* druckerzuordnung = nullptr;
};

// Event type 10007 with one value, posted to the main window (the log windows' setting event
// shares the number; the two never reach the same receiver).
class CMainWindowEvent : public QEvent
{
public:
    static constexpr QEvent::Type typ = static_cast<QEvent::Type>(10007);
    explicit CMainWindowEvent(qint32 wert) : QEvent(typ), wert(wert) {}
    qint32 gib_wert() const { return wert; }

private:
    qint32 wert;
};
