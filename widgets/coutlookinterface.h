// What the workspace asks of the mail-client interface that turns dropped files and mail items into local files.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QDragEnterEvent;
class QDropEvent;

// A drop passes three calls: pruefe_drag when the drag enters, action_dropEvent at the drop
// (which collects the files), then, 500 ms later, action_dropFile and action_dropXMLFile, which
// deliver the collected lists. The report services implement it.
class COutlook_Interface : public QObject
{
    Q_OBJECT
public:
    explicit COutlook_Interface(QObject* eltern = nullptr);
    ~COutlook_Interface() override;

    // Accepts or ignores the entering drag; true when accepted. Sets the two offer flags.
    virtual bool pruefe_drag(QDragEnterEvent* event) = 0;
    // The drag carries file names or links.
    virtual bool dateinamen_angeboten() const = 0;
    // The drag carries file contents.
    virtual bool dateiinhalt_angeboten() const = 0;

    // Collects the dropped items; true when something may be delivered.
    virtual bool action_dropEvent(QDropEvent* event) = 0;
    // Deliver the collected files and XML files; true when the delivered list is not empty.
    virtual bool action_dropFile() = 0;
    virtual bool action_dropXMLFile() = 0;
    virtual QStringList gib_dateien() const = 0;
    virtual QStringList gib_xml_dateien() const = 0;
    // The delivered names are temporary copies made by the interface, which the receiver owns.
    virtual bool geliefert_temporaer() const = 0;
};

// True when `pfad` names an existing file whose suffix, in lower case, is "xml".
bool ist_xml_datei(const QString& pfad);
