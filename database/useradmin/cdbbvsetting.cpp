#include "cdbbvsetting.h"
#include "bvanmeldung.h"
#include "bvdbeinstellungen.h"
#include "bvstruktur.h"
#include "ccat.h"
#include "cbvdatabase.h"
#include "ccheckbox.h"
#include "ccombobox.h"
#include "cdbdatenstruktur.h"
#include "cfehler.h"
#include "ckrypt.h"
#include "clineedit.h"
#include "dialogseam.h"
#include "gui.h"
#include "sqlfehler.h"
#include "steuervarliste.h"
#include "cvariablebasis.h"
#include "zeichenlaenge.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace {

// Settings that belong to one workplace and never go into the shared template.
bool ist_ausgenommen(const QString& schluessel)
{
    static const QStringList ganz{QStringLiteral("/Allgemein/ASCII-Ausgabe"),
                                  QStringLiteral("/Allgemein/Debug Ausgabe in fehler.txt"),
                                  QStringLiteral("/Allgemein/Fehler bei Syntaxverletzung"),
                                  QStringLiteral("/Allgemein/Unterdruecke Warnungen"),
                                  QStringLiteral("/Allgemein/Zusatzdaten")};
    static const QStringList anfaenge{QStringLiteral("/Allgemein/Ausgabeverzeichnis"),
                                      QStringLiteral("/Allgemein/Dezimaltrennzeichen"), QStringLiteral("/Html"),
                                      QStringLiteral("/Internationalisierung"), QStringLiteral("/VDN-Statistik")};
    if (ganz.contains(schluessel))
        return true;
    for (const QString& anfang : anfaenge)
        if (schluessel.startsWith(anfang))
            return true;
    return false;
}

// The value a variable is written with: text variables as they are (empty stays empty), others
// with their default when empty, passwords in their stored form. Raises what the variable raises.
QString vorlagewert(const CVariableBasis& variable)
{
    const std::string db_text = variable.gib_db_string();
    const bool text = db_text.size() >= 2 && db_text.front() == '"' && db_text.back() == '"';
    std::string wert = variable.gib_wert_str(0);
    if (!text && wert.empty())
        wert = variable.gib_defaultwert_str(0);
    const QString ergebnis = QString::fromStdString(wert);
    // The template table is shared: a password goes there only in the form every outside store uses.
    const auto* const qtext = dynamic_cast<const CQStringSteuer*>(&variable);
    if (qtext && qtext->ist_kennwort)
        return verschluessele_kennwort(CQString(ergebnis));
    return ergebnis;
}

void zeige_box(QWidget* eltern, QMessageBox::Icon symbol, const QString& text)
{
    frage_mit_knoepfen(eltern, symbol, gib_meldungstitel(), text, {QObject::tr("OK")}, 0, 0);
}

} // namespace

CDbBVsetting::CDbBVsetting(QWidget* eltern) : QWidget(eltern)
{
    CBVDBEinstellungen& e = gib_bvdb_einstellungen();
    auto* formular = new QFormLayout;

    treiber = new CComboBox(this, CQString("bv_treiber"));
    treiber->addItems(QSqlDatabase::drivers());
    // Only a driver that is there is chosen; the box never takes over a stored name it lacks.
    const int gespeichert = treiber->findText(e.db_treiber.gib_wert_qstr());
    if (gespeichert >= 0)
        treiber->setCurrentIndex(gespeichert);
    formular->addRow(tr("Treiber"), treiber);

    const auto feld = [this, formular](const char* objektname, const QString& titel, const QString& wert) {
        auto* edit = new CLineEdit(this, CQString(objektname));
        edit->setzeText(wert);
        formular->addRow(titel, edit);
        return edit;
    };
    host = feld("bv_host", tr("Rechner"), e.db_host.gib_wert_qstr());
    const unsigned portwert = e.db_port.gib_wert();
    port = feld("bv_port", tr("Port"), portwert == 99999999u ? QString() : QString::number(portwert));
    name = feld("bv_name", tr("Datenbank"), e.db_name.gib_wert_qstr());
    benutzer = feld("bv_benutzer", tr("Benutzer"), e.db_user.gib_wert_qstr());
    kennwort = feld("bv_kennwort", tr("Kennwort"), e.db_passwort.gib_wert_qstr());
    kennwort->setEchoMode(QLineEdit::Password);

    autoverbindung = new CCheckBox(tr("Automatisch verbinden"), this);
    autoverbindung->setObjectName(QStringLiteral("bv_autocon"));
    autoverbindung->setChecked(e.bvdb_verbindung.gib_wert() == JA);
    protokoll = new CCheckBox(tr("SQL-Protokoll"), this);
    protokoll->setObjectName(QStringLiteral("bv_protokoll"));
    protokoll->setChecked(e.protokollierung.gib_wert() == JA);
    sqlstufe = new QSpinBox(this);
    sqlstufe->setRange(0, 2);
    sqlstufe->setValue(gib_bv_ccdatabase() ? gib_bv_ccdatabase()->gib_protokollstufe() : 0);
    formular->addRow(autoverbindung);
    formular->addRow(protokoll);
    formular->addRow(tr("Protokollstufe"), sqlstufe);

    verbinden = new QPushButton(this);
    auto* testen = new QPushButton(tr("Verbindung testen"), this);
    auto* vorlage = new QPushButton(tr("Vorlage Einstellungen schreiben"), this);
    auto* protokoll_leeren = new QPushButton(tr("Protokoll löschen"), this);
    auto* sqlzeigen = new QPushButton(tr("SQL"), this);
    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* knopf : {verbinden, testen, vorlage, protokoll_leeren, sqlzeigen})
        knoepfe->addWidget(knopf);
    stand = new QLabel(this);

    sqlbereich = new QWidget(this);
    sqltext = new QPlainTextEdit(sqlbereich);
    sqltext->setObjectName(QStringLiteral("bv_sql"));
    sqltext->setAccessibleName(tr("SQL"));
    auto* ausfuehren = new QPushButton(tr("Ausführen"), sqlbereich);
    sqlergebnis = new QLabel(sqlbereich);
    sqlergebnis->setObjectName(QStringLiteral("bv_sql_ergebnis"));
    auto* sqllayout = new QVBoxLayout(sqlbereich);
    sqllayout->addWidget(sqltext);
    sqllayout->addWidget(ausfuehren);
    sqllayout->addWidget(sqlergebnis);
    sqlbereich->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(formular);
    layout->addLayout(knoepfe);
    layout->addWidget(stand);
    layout->addWidget(sqlbereich);

    connect(verbinden, &QPushButton::clicked, this, &CDbBVsetting::SlotDatabase);
    connect(testen, &QPushButton::clicked, this, [this] { SlotAutoTest(true); });
    connect(treiber, QOverload<int>::of(&QComboBox::activated), this, &CDbBVsetting::dbdriverauswahl_slot);
    for (CLineEdit* edit : {host, port, name, benutzer, kennwort})
        connect(edit, &QLineEdit::editingFinished, this, &CDbBVsetting::dbauswahl_slot);
    connect(autoverbindung, &QCheckBox::toggled, this, &CDbBVsetting::xAutocon_slot);
    connect(protokoll, &QCheckBox::toggled, this, &CDbBVsetting::protokoll_slot);
    connect(sqlstufe, QOverload<int>::of(&QSpinBox::valueChanged), this, &CDbBVsetting::sqldebug_slot);
    connect(sqlzeigen, &QPushButton::clicked, this, &CDbBVsetting::slotShow_SQL);
    connect(ausfuehren, &QPushButton::clicked, this, &CDbBVsetting::AusfuehrenSQL_slot);
    connect(vorlage, &QPushButton::clicked, this, &CDbBVsetting::erzeuge_vorlageEinstellungen_slot);
    connect(protokoll_leeren, &QPushButton::clicked, this, &CDbBVsetting::loesche_protokoll_slot);
    zeige_verbindungsstand();
}

CDbBVsetting::~CDbBVsetting() = default;

void CDbBVsetting::zeige_verbindungsstand()
{
    const bool verbunden = datenbank_verbunden();
    verbinden->setText(verbunden ? tr("Trennen") : tr("Verbinden"));
    stand->setText(verbunden ? tr("Verbunden") : tr("Nicht verbunden"));
}

void CDbBVsetting::showEvent(QShowEvent* ereignis)
{
    zeige_verbindungsstand();
    QWidget::showEvent(ereignis);
}

void CDbBVsetting::SlotDatabase()
{
    if (wechselfrage && !wechselfrage())
        return;
    if (datenbank_verbunden()) {
        bv_abmelden();
    } else {
        dbauswahl_slot();
        dbdriverauswahl_slot(treiber->currentIndex());
        const CQString fehler = bv_anmelden();
        if (!fehler.isEmpty())
            meldung_kritisch(this, gib_meldungstitel(), fehler);
    }
    zeige_verbindungsstand();
    emit verbindung_gewechselt();
}

void CDbBVsetting::SlotAutoTest(bool melden)
{
    CBVVerbindungswerte werte = gib_bv_verbindungswerte();
    werte.treiber = treiber->currentText();
    werte.host = host->gibText();
    werte.name = name->gibText();
    bool ok = false;
    const unsigned zahl = port->gibText().toUInt(&ok);
    werte.port = ok ? zahl : 99999999u;
    werte.benutzer = benutzer->gibText();
    werte.kennwort = kennwort->text();
    const QString verbindung = QStringLiteral("benutzerverwaltung_test");
    const QString fehler = oeffne_bv_verbindung(verbindung, werte);
    if (fehler.isEmpty()) {
        QSqlDatabase::database(verbindung, false).close();
        QSqlDatabase::removeDatabase(verbindung);
    }
    const QString text = fehler.isEmpty() ? tr("Verbindung möglich: Ja") : tr("Verbindung möglich: Nein\n%1").arg(fehler);
    stand->setText(text);
    if (!melden)
        return;
    if (fehler.isEmpty())
        zeige_box(this, QMessageBox::Information, text);
    else
        meldung_kritisch(this, gib_meldungstitel(), CQString(text));
}

void CDbBVsetting::dbauswahl_slot()
{
    CBVDBEinstellungen& e = gib_bvdb_einstellungen();
    e.db_host.setze_wert_qstr(host->gibText());
    e.db_name.setze_wert_qstr(name->gibText());
    e.db_user.setze_wert_qstr(benutzer->gibText());
    // The password as typed: blanks at its ends are part of it.
    e.db_passwort.setze_wert_qstr(CQString(kennwort->text()));
    const QString porttext = port->gibText().trimmed();
    bool ok = porttext.isEmpty();
    const unsigned zahl = ok ? 99999999u : porttext.toUInt(&ok);
    if (ok && zahl != 0 && (zahl <= 65535u || zahl == 99999999u))
        e.db_port.setze_wert(zahl);
    else
        fehler_ton();
}

void CDbBVsetting::dbdriverauswahl_slot(int index)
{
    if (index >= 0 && index < treiber->count())
        gib_bvdb_einstellungen().db_treiber.setze_wert_qstr(CQString(treiber->itemText(index)));
}

void CDbBVsetting::xAutocon_slot()
{
    gib_bvdb_einstellungen().bvdb_verbindung.setze_wert(autoverbindung->isChecked() ? JA : NEIN);
}

void CDbBVsetting::sqldebug_slot(int avalue)
{
    if (CCDataBase* const db = gib_bv_ccdatabase())
        db->setze_protokollstufe(qBound(0, avalue, 2));
}

void CDbBVsetting::slotShow_SQL()
{
    sqlbereich->setVisible(!sqlbereich->isVisible());
}

void CDbBVsetting::AusfuehrenSQL_slot()
{
    if (!pruefe_datenbankverbindung(true))
        return;
    const CCDataBase* const db = gib_bv_ccdatabase();
    QSqlQuery abfrage;
    const CQString sql(sqltext->toPlainText());
    const CQString methode("AusfuehrenSQL_slot");
    // The page shows the report of a failure, never row contents: the user table holds stored passwords.
    if (!db->fuehre_getippt_aus(abfrage, sql, methode)) {
        sqlergebnis->setText(sql_fehlerbericht(abfrage, sql, methode, CQString()).join(QLatin1Char('\n')));
        return;
    }
    int zeilen = abfrage.numRowsAffected();
    if (abfrage.isSelect()) {
        zeilen = 0;
        while (abfrage.next())
            ++zeilen;
    }
    sqlergebnis->setText(tr("Erfolgreich: %1 Zeilen").arg(zeilen));
}

void CDbBVsetting::melde_abbruch(const QString& text)
{
    CQCat::gib_instanz()->error(CQString(text));
    setze_warte_cursor(false, false);
    meldung_kritisch(this, gib_meldungstitel(), CQString(text));
}

void CDbBVsetting::erzeuge_vorlageEinstellungen_slot()
{
    if (!pruefe_datenbankverbindung(true))
        return;
    const CBVDataBase* const bv = gib_bv_datenbank();
    const CCDataBase* const db = bv ? bv->gib_datenbank() : nullptr;
    CDBDatenstruktur* const struktur = bv ? bv->gib_struktur() : nullptr;
    if (!db || !db->ist_verbunden() || !struktur || !struktur->gib_tabelle(bv_tag::verwaltung)
        || !struktur->gib_tabelle(bv_tag::vorlage))
        return;

    setze_warte_cursor(true, false);
    QString bericht;
    bool gekuerzt = false;

    // Creates the table when missing; then the check. False after a failure.
    const auto bereite_vor = [&](int tag) {
        const CQString tabelle = struktur->gib_tabellenname(tag);
        if (bv->gib_anzahl_records(tag) < 0) {
            const CQString keine;
            if (!db->TabelleAnlegen(&tabelle, struktur->gib_tabelle(tag), nullptr, &keine, true)) {
                melde_abbruch(tr("Fehler beim Anlegen der Tabelle '%1'!").arg(tabelle));
                return false;
            }
            bericht += tr("Anlegen der Tabelle '%1'!").arg(tabelle) + QLatin1Char('\n');
        }
        if (!bv->pruefe_tabelle(tag, QStringList(), false)) {
            melde_abbruch(tr("Fehler beim Erweitern/Prüfung der Tabelle '%1'!").arg(tabelle));
            return false;
        }
        bv->erfasse_autoinkrement(tag);
        return true;
    };
    if (!bereite_vor(bv_tag::verwaltung) || !bereite_vor(bv_tag::vorlage))
        return;

    const CDBTabelle* const vorlage = struktur->gib_tabelle(bv_tag::vorlage);
    const CQString tabelle = struktur->gib_tabellenname(bv_tag::vorlage);
    const CQString wertspalte = vorlage->gib_spaltenname(bv_tag::vor_wert);
    const int maximum =
        vorlage->gib_laenge(bv_tag::vor_wert, db->spalten_laenge(vorlage->gib_spaltentyp(bv_tag::vor_wert)));
    const QString hinweis = tr("Bitte anpassen in Systemdatei '%1'").arg(QLatin1String(bv_strukturdatei));

    QVector<QVariantList> zeilen;
    for (const auto& [schluessel_std, variable] : *gib_steuervar_liste()) {
        const QString schluessel = QString::fromStdString(schluessel_std);
        if (!variable || ist_ausgenommen(schluessel))
            continue;
        QString wert;
        try {
            wert = vorlagewert(*variable);
        } catch (const CFehlerBasis&) {
            // One broken value must not cost the other variables their rows.
            CQCat::gib_instanz()->error(
                CQString(tr("Vorlage: Wert von '%1' nicht lesbar, Variable übergangen").arg(schluessel)));
            continue;
        }
        if (maximum > 0 && zeichenzahl(wert) > maximum) {
            const QString text = tr("Zuviele Daten (%1) für Spalte '%2' in Tabelle '%3' (max. %4)!")
                                     .arg(schluessel, wertspalte, tabelle)
                                     .arg(maximum);
            bericht += QLatin1Char('\n') + text + QLatin1Char('\n') + hinweis;
            CQCat::gib_instanz()->error(CQString(text + QLatin1Char(' ') + hinweis));
            gekuerzt = true;
            wert = kuerze_auf_zeichen(wert, maximum);
        }
        zeilen.append({schluessel, wert, QStringLiteral("1")});
    }
    const QString fehler = schreibe_vorlage(*bv, zeilen);
    if (!fehler.isEmpty()) {
        // A commit whose answer a lost connection took may have been saved: the text says so.
        melde_abbruch(db->ist_ungewiss() ? fehler
                                         : fehler + QLatin1Char('\n') + tr("Tabelle '%1' bleibt unverändert!").arg(tabelle));
        return;
    }

    const QString geschrieben = tr("Tabelle '%1' geschrieben!").arg(tabelle);
    CQCat::gib_instanz()->info(CQString(geschrieben));
    if (gekuerzt)
        bericht += QLatin1Char('\n');
    bericht += geschrieben;
    setze_warte_cursor(false, false);
    zeige_box(this, gekuerzt ? QMessageBox::Warning : QMessageBox::Information, bericht);
}

QString CDbBVsetting::schreibe_vorlage(const CBVDataBase& bv, const QVector<QVariantList>& zeilen)
{
    const CCDataBase* const db = bv.gib_datenbank();
    const CDBDatenstruktur* const struktur = bv.gib_struktur();
    const CDBTabelle* const vorlage = struktur ? struktur->gib_tabelle(bv_tag::vorlage) : nullptr;
    if (!db || !vorlage)
        return tr("Datenstruktur nicht initiatisiert");
    const CQString tabelle = struktur->gib_tabellenname(bv_tag::vorlage);
    const CQString id_spalte = vorlage->gib_spaltenname(bv_tag::vor_id);
    const QStringList spalten{vorlage->gib_spaltenname(bv_tag::vor_schluessel), vorlage->gib_spaltenname(bv_tag::vor_wert),
                              vorlage->gib_spaltenname(bv_tag::vor_flag)};
    const CQString methode("erzeuge_vorlageEinstellungen_slot");
    // Emptied and written in one go: another administrator's template written at the same time
    // comes whole before or after it, and a failure part-way leaves the old one.
    return db->schreibe_allein(
        tabelle,
        [&]() -> CQString {
            if (!db->emptyTabelle(&tabelle))
                return CQString(tr("Fehler beim Leeren der Tabelle '%1'!").arg(tabelle));
            int id = 0;
            for (const QVariantList& werte : zeilen) {
                const CCDataBase::CNeuerDatensatz satz =
                    db->schreibe_neuen_datensatz(tabelle, id_spalte, spalten, werte, id, methode);
                if (satz.geschrieben) {
                    id = satz.id;
                    continue;
                }
                if (satz.id_fehler) {
                    CQCat::gib_instanz()->error(satz.fehler);
                    return CQString(tr("Fehler beim Ermitteln einer neuen ID für Tabelle '%1'!").arg(tabelle));
                }
                return CQString(tr("Fehler beim Schreiben einer neuen Zeile in Tabelle '%1'!").arg(tabelle));
            }
            return CQString();
        },
        methode);
}

void CDbBVsetting::protokoll_slot()
{
    gib_bvdb_einstellungen().protokollierung.setze_wert(protokoll->isChecked() ? JA : NEIN);
}

void CDbBVsetting::loesche_protokoll_slot()
{
    const QStringList knoepfe{tr("Ja"), tr("Nein")};
    if (frage_mit_knoepfen(this, QMessageBox::Question, gib_meldungstitel(), tr("Soll Protokolltabelle gelöscht werden?"),
                           knoepfe, 1, 1)
        != 0)
        return;
    if (!pruefe_datenbankverbindung(true) || !gib_bv_ccdatabase() || !gib_bv_ccdatabase()->ist_verbunden()) {
        CQCat::gib_instanz()->error(CQString(tr("Datenbank nicht verbunden !")));
        return;
    }
    const CBVDataBase* const bv = gib_bv_datenbank();
    if (!bv)
        return;
    if (!bv->gib_struktur()) {
        CQCat::gib_instanz()->error(CQString(tr("Datenstruktur nicht initiatisiert")));
        return;
    }
    const CQString fehler = gib_bv_ccdatabase()->ClearTable(bv->gib_struktur()->gib_tabellenname(bv_tag::protokoll));
    if (!fehler.isEmpty())
        CQCat::gib_instanz()->error(fehler);
    else
        CQCat::gib_instanz()->info(CQString(tr("Inhalt der Protokolltabelle gelöscht")));
}
