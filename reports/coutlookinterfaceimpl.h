// Turns what is dragged from a mail client or the file manager into lists of local files, fetching mails and attachments through the bridge programs.
#pragma once

#include "coutlookinterface.h"

#include <QString>
#include <QStringList>
#include <memory>

// The owner decides what may be dropped: files (optionally only some suffixes) and XML files.
// A new interface accepts nothing. Items that a drag carries only as contents are written to
// temporary files, mails and attachments known only by name are saved there by a bridge
// program; such lists are delivered with the temporary flag set, and the receiver owns the files.
class COutlook_Interface_Impl : public COutlook_Interface
{
    Q_OBJECT
public:
    explicit COutlook_Interface_Impl(QObject* eltern = nullptr);
    ~COutlook_Interface_Impl() override;

    void setze_dateien_akzeptiert(bool an) { dateien_akzeptiert = an; }
    void setze_xml_akzeptiert(bool an) { xml_akzeptiert = an; }
    // Accepted file suffixes, any case; an empty list accepts every file.
    void setze_endungen(const QStringList& endungen);

    bool pruefe_drag(QDragEnterEvent* event) override;
    bool dateinamen_angeboten() const override { return namen_angeboten; }
    bool dateiinhalt_angeboten() const override { return inhalt_angeboten; }

    bool action_dropEvent(QDropEvent* event) override;
    bool action_dropFile() override;
    bool action_dropXMLFile() override;
    QStringList gib_dateien() const override { return dateien; }
    QStringList gib_xml_dateien() const override { return xml_dateien; }
    // After a delivery the contents flag tells whether the names are the interface's copies.
    bool geliefert_temporaer() const override { return inhalt_angeboten; }

    // Has the bridge save the attachment `name` of the mail being dragged into `ziel`; true
    // when the bridge ended in time.
    bool speichere_anlage_msg(const QString& ziel, const QString& name);
    // Has the bridge save the dragged mails into `ziel`; the files it reports.
    QStringList speichere_explorer_msg(const QString& ziel, const QString& name);

private:
    struct Wartend
    {
        QStringList namen;
        bool temporaer = false;
    };

    bool url_passt(const QString& pfad) const;
    void sammle_namen(QDropEvent* event, QStringList& dateien_neu, QStringList& xml_neu);
    void sammle_inhalte(QDropEvent* event, QStringList& dateien_neu, QStringList& xml_neu);
    QString hole_anlage(const QString& name);
    QString gib_ablage();
    bool liefere(std::unique_ptr<Wartend>& wartend, QStringList& ziel);

    bool dateien_akzeptiert = false;
    bool xml_akzeptiert = false;
    bool namen_angeboten = false;
    bool inhalt_angeboten = false;
    bool link_gesehen = false;
    bool mail_nachrichten = false;
    int anzahl = 0;
    int xml_anzahl = 0;
    std::unique_ptr<Wartend> wartende_dateien;
    std::unique_ptr<Wartend> wartende_xml;
    QStringList dateien;
    QStringList xml_dateien;
    QStringList endungen;
    // The folder of this process's own into which the bridge saves mails and attachments.
    QString ablage;
};
