// The fixture of the user-administration tests on SQLite: a database file of the test's own in the stored log-on settings, every box, beep and modal window answered and recorded.
#pragma once

#include "bvanmeldung.h"
#include "bvdbeinstellungen.h"
#include "caclgroup.h"
#include "canwender_passwort.h"
#include "cbvdatabase.h"
#include "cvariablebasis.h"
#include "dialogseam.h"
#include "plattform.h"

#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>

class BVTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ordner.isValid());
        CBVDBEinstellungen& e = gib_bvdb_einstellungen();
        e.db_treiber.setze_wert_qstr(CQString("QSQLITE"));
        e.db_name.setze_wert_qstr(CQString(ordner.filePath(QStringLiteral("bv.sqlite"))));
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon symbol, const QString& titel, const QString& text,
                                    const QStringList& knoepfe, int, int) {
            symbole.append(symbol);
            fragen.append(titel + QLatin1Char('|') + text);
            boxen.append(fragen.last());
            return static_cast<int>(knoepfe.indexOf(antwort));
        });
        setze_meldung_funktion([this](QWidget*, const QString&, const QString& text, QMessageBox::StandardButtons,
                                      QMessageBox::StandardButton) {
            kritisch.append(text);
            boxen.append(text);
            return QMessageBox::Ok;
        });
        setze_piep_funktion([this](unsigned, unsigned) { return ++pieps, 0; });
        setze_modal_funktion([this](QWidget* fenster) {
            dialoge.append(fenster->windowTitle());
            return dialog ? dialog(fenster) : 0;
        });
    }
    void TearDown() override
    {
        bv_abmelden();
        setze_frage_funktion({});
        setze_meldung_funktion({});
        setze_piep_funktion({});
        setze_modal_funktion({});
        CBVDBEinstellungen& e = gib_bvdb_einstellungen();
        for (CVariableBasis* v : std::initializer_list<CVariableBasis*>{
                 &e.db_treiber, &e.db_name, &e.db_host, &e.db_passwort, &e.protokollierung, &e.bvdb_verbindung})
            v->setze_undefiniert();
    }

    // Logs on as the program does, then runs the statements (as another administrator would).
    void melde_an(std::initializer_list<const char*> anweisungen)
    {
        ASSERT_EQ(bv_anmelden(), QString());
        for (const char* text : anweisungen)
            ASSERT_TRUE(sql(QString::fromUtf8(text))) << text;
    }
    QVariant lies(const QString& text) const
    {
        QSqlQuery abfrage(text, QSqlDatabase::database(bv_verbindungsname(), false));
        return abfrage.next() ? abfrage.value(0) : QVariant();
    }
    bool sql(const QString& text) const
    {
        return QSqlQuery(text, QSqlDatabase::database(bv_verbindungsname(), false)).isActive();
    }

    QTemporaryDir ordner;
    // Questions as "title|text" with their icons; message boxes by text; `boxen` holds both in order.
    QStringList fragen;
    QVector<QMessageBox::Icon> symbole;
    QStringList kritisch;
    QStringList boxen;
    // The button a question is answered with.
    QString antwort = QStringLiteral("Ja");
    int pieps = 0;
    // Titles of the modal windows run, and the answer to them (0 without one).
    QStringList dialoge;
    std::function<int(QWidget*)> dialog;
};
