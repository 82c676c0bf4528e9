// The dialog log window and the message box: the save button of the first show, refused closing during a run, the box's buttons and its end.
#include "ccdiaglog.h"
#include "ccmessagebox.h"
#include "cspeichernbutton.h"
#include "logfenstertest.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

int beendete_laeufe = 0;

class TestDiagLog : public CCDiagLog
{
public:
    TestDiagLog() : CCDiagLog(nullptr, CQString("test")) {}
    // As every concrete window: the worker stops before this object starts to come apart.
    ~TestDiagLog() override { beende_worker(); }
    void thread_beendet() override { ++beendete_laeufe; }
};

QStringList menue_texte(const CSpeichernButton* knopf)
{
    QStringList texte;
    for (const QAction* a : knopf->menu()->actions())
        texte << a->text();
    return texte;
}

template <typename T>
T* kind(const QWidget* fenster, const char* name)
{
    T* w = fenster->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

} // namespace

TEST(CCDiagLog, SpeichernKnopfErstBeimErstenZeigenNachDateityp)
{
    auto* html = new TestDiagLog;
    QPointer<TestDiagLog> html_wache = html;
    html->setze_dateityp(CQString("HTML-Datei (*.html)"), CQString("html"));
    EXPECT_TRUE(html->findChildren<CSpeichernButton*>().isEmpty());
    EXPECT_EQ(html->windowTitle(), QStringLiteral("Dialog Thread Log"));
    EXPECT_EQ(html->objectName(), QStringLiteral("ui_cdiaglogbase"));

    html->show();
    html->hide();
    html->show();
    const auto knoepfe = html->findChildren<CSpeichernButton*>();
    ASSERT_EQ(knoepfe.size(), 1);
    EXPECT_EQ(menue_texte(knoepfe.first()), QStringList({"Speichern als HTML", "Speichern als PDF"}));
    ASSERT_NE(knoepfe.first()->defaultAction(), nullptr);
    EXPECT_EQ(knoepfe.first()->defaultAction()->text(), QStringLiteral("Speichern als PDF"));
    EXPECT_TRUE(kind<QPushButton>(html, "pb_speichern")->isHidden());
    // No worker: "Ok" stays as the form has it, closing is allowed and deletes the dialog.
    EXPECT_FALSE(kind<QPushButton>(html, "fbuttonok")->isEnabled());
    EXPECT_TRUE(html->close());
    loesche_spaetere();
    EXPECT_TRUE(html_wache.isNull());

    TestDiagLog text;
    text.setAttribute(Qt::WA_DeleteOnClose, false);
    text.setze_dateityp(CQString("Text-Datei (*.txt)"), CQString("txt"));
    text.show();
    const auto text_knoepfe = text.findChildren<CSpeichernButton*>();
    ASSERT_EQ(text_knoepfe.size(), 1);
    EXPECT_EQ(menue_texte(text_knoepfe.first()), QStringList({"Speichern als Text", "Speichern als PDF"}));
    EXPECT_EQ(text_knoepfe.first()->defaultAction()->text(), QStringLiteral("Speichern als Text"));
    // The form's parts reach the log-window side: icon, cancel and protocol hidden, a line lands.
    EXPECT_TRUE(kind<QLabel>(&text, "ficonlabel")->isHidden());
    EXPECT_TRUE(kind<QPushButton>(&text, "fbutton2")->isHidden());
    EXPECT_TRUE(kind<QPushButton>(&text, "fbutton3")->isHidden());
    text.neue_titelzeile(CQString("Titel"));
    text.neue_textzeile(CQString("Zeile"), 0);
    QCoreApplication::processEvents();
    text.zeige_ausstehende();
    EXPECT_EQ(kind<QLabel>(&text, "fueberschrift")->text(), QStringLiteral("Titel"));
    EXPECT_EQ(kind<QTextEdit>(&text, "ftextbroser")->toPlainText(), QStringLiteral("Zeile"));
}

TEST(CCDiagLog, BleibtOffenSolangeDerArbeiterLaeuft)
{
    PiepZaehler piep;
    auto* dialog = new TestDiagLog;
    QPointer<TestDiagLog> wache = dialog;
    dialog->show();
    std::atomic<bool> frei{false};
    dialog->starte_thread(new Arbeiter(dialog, frei));
    QPushButton* ok = kind<QPushButton>(dialog, "fbuttonok");
    QTextEdit* text = kind<QTextEdit>(dialog, "ftextbroser");
    ASSERT_TRUE(warte_bis([text] { return !text->toPlainText().isEmpty(); }));

    // The frame's close and Escape (which goes through reject() and done()).
    EXPECT_FALSE(dialog->close());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &esc);
    loesche_spaetere();
    ASSERT_FALSE(wache.isNull());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(piep.anzahl, 2);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(beendete_laeufe, 0);

    frei = true;
    ASSERT_TRUE(warte_bis([ok] { return ok->isEnabled(); }));
    EXPECT_EQ(beendete_laeufe, 1);
    ok->click();
    loesche_spaetere();
    EXPECT_TRUE(wache.isNull());
    EXPECT_EQ(piep.anzahl, 2);
}

// Lines appended to a shown box follow its end, also after the box was made smaller.
TEST(CCMessageBox, AngehaengteZeilenFolgenDemEndeNachEinerVerkleinerung)
{
    CCMessageBox box(nullptr, CQString(), CQString("m"));
    box.resize(600, 500);
    box.show();
    QTextEdit* text = kind<QTextEdit>(&box, "ftextbroser");
    for (int i = 1; i <= 3000; ++i) {
        box.haengeTextAn(CQString(QStringLiteral("Zeile %1 mit etwas Text, damit sie umbricht, wenn es eng wird").arg(i)));
        if (i == 1000)
            box.resize(300, 200);
        if (i % 100 == 0)
            QCoreApplication::processEvents();
    }
    EXPECT_TRUE(warte_bis([text] { return letzte_zeile_zu_sehen(text); })) << text->verticalScrollBar()->value() << " of " << text->verticalScrollBar()->maximum();
    EXPECT_EQ(text->document()->blockCount(), 3000);
}

TEST(CCMessageBox, FormKnoepfeSymbolUndEndeVonExec)
{
    auto* box = new CCMessageBox(nullptr, CQString(), CQString("m"));
    QPointer<CCMessageBox> wache = box;
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Dialog Thread Log"));
    EXPECT_TRUE(kind<QProgressBar>(box, "fprogressbar")->isHidden());
    QPushButton* ok = kind<QPushButton>(box, "fbuttonok");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(kind<QPushButton>(box, "fbutton2")->autoDefault());
    QLabel* icon = kind<QLabel>(box, "ficonlabel");
    box->setzeSymbol(QMessageBox::Critical);
    EXPECT_FALSE(icon->isHidden());
    EXPECT_FALSE(icon->pixmap(Qt::ReturnByValue).isNull());
    box->setzeSymbol(QMessageBox::NoIcon);
    EXPECT_TRUE(icon->isHidden());
    box->haengeTextAn(CQString("Meldung"));
    EXPECT_EQ(kind<QTextEdit>(box, "ftextbroser")->toPlainText(), QStringLiteral("Meldung"));

    QTimer::singleShot(0, box, &CCMessageBox::slot_button2);
    EXPECT_EQ(box->exec(), -1);
    // exec() has deleted the box before it returned.
    EXPECT_TRUE(wache.isNull());

    auto* zweite = new CCMessageBox(nullptr, CQString("Titel"), CQString("m"));
    wache = zweite;
    EXPECT_EQ(zweite->windowTitle(), QStringLiteral("Titel"));
    QTimer::singleShot(0, zweite, &CCMessageBox::slot_button3);
    EXPECT_EQ(zweite->exec(), 1);
    EXPECT_TRUE(wache.isNull());

    // "Ok" closes the box: exec() ends with the dialog's untouched result.
    auto* dritte = new CCMessageBox(nullptr, CQString(), CQString("m"));
    wache = dritte;
    QPushButton* dritter_ok = kind<QPushButton>(dritte, "fbuttonok");
    QTimer::singleShot(0, dritter_ok, &QPushButton::click);
    EXPECT_EQ(dritte->exec(), 0);
    EXPECT_TRUE(wache.isNull());
}
