// The main window's MDI area: view modes, arranging, size reports and the hand-off of dropped files; and a plain widget with the same drop hand-off.
#pragma once

#include "coutlookinterface.h"

#include <QMdiArea>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QMimeData;

class CQWorkspace : public QMdiArea
{
    Q_OBJECT
public:
    explicit CQWorkspace(QWidget* eltern = nullptr);

    // Back to sub-window view, then 0 cascades, 1 tiles, 2 stacks the windows in rows; any
    // other value only switches the view.
    void anordnen(int art);
    // Tabbed view (windows lose their stays-on-top hint) or sub-window view; the new state.
    bool setzeTabAnsicht(bool tabs);
    bool ist_tabansicht() const { return tabansicht; }

    // Drops reach the workspace only once its owner enables them and installs an interface;
    // the interface stays the owner's.
    void setze_outlook_interface(COutlook_Interface* oi) { outlook = oi; }
    COutlook_Interface* gib_outlook_interface() const { return outlook; }
    // Whether a drop is announced by dropXMLFile and by dropFile; both off at first.
    void setze_xml_lieferung(bool an) { xml_liefern = an; }
    void setze_datei_lieferung(bool an) { dateien_liefern = an; }

signals:
    void signalWSSizeChanged();
    void dragEntered(QDragEnterEvent* aevent, bool abFileName, bool abFileContents);
    void dropChanged(const QMimeData* amimeData = nullptr);
    void dropXMLFile(QStringList afilenames, bool abis_tmp);
    void dropFile(QStringList afilenames, bool abis_tmp);

protected slots:
    void resizeEvent(QResizeEvent* e) override;
    // Delivers what the last drop collected.
    void SlotDropTimeout();

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void stapele_in_zeilen();
    // A workspace that became smaller (the protocol dock was shown, say) moves and shrinks its
    // windows, down to their minimum size, into the room it has left, so that no window sits
    // under a scroll bar while there is room for it.
    void passe_fenster_ein();

    bool tabansicht;
    bool xml_liefern = false;
    bool dateien_liefern = false;
    QPointer<COutlook_Interface> outlook;
};

// A plain widget that hands dropped files to the mail-client interface, files only.
class CMWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CMWidget(QWidget* eltern = nullptr) : QWidget(eltern) {}

    void setze_outlook_interface(COutlook_Interface* oi) { outlook = oi; }
    COutlook_Interface* gib_outlook_interface() const { return outlook; }

signals:
    void dragEntered(QDragEnterEvent* aevent, bool abFileName, bool abFileContents);
    void dropChanged(const QMimeData* amimeData = nullptr);
    void dropFile(QStringList afilenames, bool abis_tmp);

protected slots:
    void SlotDropTimeout();

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    QPointer<COutlook_Interface> outlook;
};
