// The save button (its menu, default action, size and signal) and the two relay widgets.
#include "cspeichercheck.h"
#include "cspeicherlabel.h"
#include "cspeichernbutton.h"

#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Mitschrift
{
    explicit Mitschrift(CSpeichernButton* knopf)
    {
        QObject::connect(knopf, &CSpeichernButton::signalActionEvent, [this](int typ) { typen.push_back(typ); });
    }
    std::vector<int> typen;
};

QStringList eintraege(const QMenu* menue)
{
    QStringList texte;
    for (const QAction* a : menue->actions())
        texte << a->text();
    return texte;
}

// Opens the button's menu as a user would and picks `text` with the keyboard.
void waehle_im_menue(CSpeichernButton& knopf, const QString& text)
{
    QMenu* menue = knopf.menu();
    QAction* ziel = nullptr;
    for (QAction* a : menue->actions())
        if (a->text() == text)
            ziel = a;
    ASSERT_NE(ziel, nullptr);
    QTimer::singleShot(0, menue, [menue, ziel] {
        menue->setActiveAction(ziel);
        QKeyEvent taste(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menue, &taste);
    });
    // Safety net: a menu that does not react must not block the test run (late enough that a
    // loaded machine never meets it).
    QTimer::singleShot(60000, menue, [menue] { menue->hide(); });
    knopf.showMenu();
}

} // namespace

TEST(CSpeichernButton, OhneFormateEinfacherKnopf)
{
    CSpeichernButton knopf(nullptr, nullptr, false, false, false, 1);
    Mitschrift mit(&knopf);
    EXPECT_EQ(knopf.menu(), nullptr);
    EXPECT_EQ(knopf.toolTip(), QStringLiteral("Speichert den Fensterinhalt in eine Datei"));
    EXPECT_EQ(knopf.minimumSize(), QSize(0, 1));
    EXPECT_EQ(knopf.toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_FALSE(knopf.icon().isNull());
    knopf.click();
    EXPECT_EQ(mit.typen, std::vector<int>{-1});
}

TEST(CSpeichernButton, PlatzhalterTextUndPdfOhnePassendeVorgabe)
{
    // The PDF icon is found on disk, here in the current folder.
    QTemporaryDir tmp;
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(tmp.path());
    QImage bild(16, 16, QImage::Format_ARGB32);
    bild.fill(QColor(180, 0, 0));
    ASSERT_TRUE(bild.save(tmp.filePath(QStringLiteral("exportpdf.png")), "PNG"));

    QWidget fenster;
    auto* layout = new QHBoxLayout(&fenster);
    auto* platzhalter = new QWidget(&fenster);
    platzhalter->resize(80, 24);
    layout->addWidget(platzhalter);

    auto* knopf = new CSpeichernButton(layout, platzhalter, true, false, true, 2);
    QDir::setCurrent(vorher);
    Mitschrift mit(knopf);

    ASSERT_NE(knopf->menu(), nullptr);
    EXPECT_EQ(eintraege(knopf->menu()), (QStringList{QStringLiteral("Speichern als Text"),
                                                     QStringLiteral("Speichern als PDF")}));
    const QList<QAction*> aktionen = knopf->menu()->actions();
    EXPECT_EQ(aktionen[0]->statusTip(), QStringLiteral("Speichern unter... als Text"));
    EXPECT_EQ(aktionen[0]->whatsThis(), QStringLiteral("Speichern unter... als Text"));
    EXPECT_EQ(aktionen[1]->statusTip(), QStringLiteral("Speichern unter... als PDF"));
    EXPECT_EQ(aktionen[1]->whatsThis(), QStringLiteral("Speichern unter... als PDF"));
    EXPECT_TRUE(aktionen[0]->icon().isNull());
    EXPECT_FALSE(aktionen[1]->icon().isNull());
    EXPECT_EQ(knopf->defaultAction(), nullptr);
    EXPECT_EQ(knopf->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_TRUE(knopf->toolTip().isEmpty());
    EXPECT_EQ(knopf->minimumSize(), QSize(85, 25));

    EXPECT_TRUE(platzhalter->isHidden());
    EXPECT_EQ(layout->indexOf(platzhalter), -1);
    EXPECT_EQ(platzhalter->parentWidget(), &fenster);
    EXPECT_GE(layout->indexOf(knopf), 0);
    EXPECT_EQ(knopf->parentWidget(), &fenster);

    // Without a default action the main part reports nothing.
    knopf->click();
    EXPECT_TRUE(mit.typen.empty());

    waehle_im_menue(*knopf, QStringLiteral("Speichern als PDF"));
    EXPECT_EQ(mit.typen, std::vector<int>{2});
}

TEST(CSpeichernButton, VorgabeTextMitKlickAufDenKnopf)
{
    CSpeichernButton knopf(nullptr, nullptr, true, true, false, 1);
    Mitschrift mit(&knopf);
    ASSERT_NE(knopf.defaultAction(), nullptr);
    EXPECT_EQ(knopf.defaultAction()->text(), QStringLiteral("Speichern als Text"));
    EXPECT_EQ(knopf.minimumSize(), QSize(5, 1));
    EXPECT_FALSE(knopf.icon().isNull());
    knopf.click();
    EXPECT_EQ(mit.typen, std::vector<int>{0});

    waehle_im_menue(knopf, QStringLiteral("Speichern als HTML"));
    EXPECT_EQ(mit.typen, (std::vector<int>{0, 1}));
}

TEST(CSpeicherWidgets, ReichenIhreSlotsAlsSignaleWeiter)
{
    CSpeicherCheck check;
    std::vector<bool> umgeschaltet;
    int geklickt = 0;
    QObject::connect(&check, &CSpeicherCheck::toggled, [&](bool wert) { umgeschaltet.push_back(wert); });
    QObject::connect(&check, &CSpeicherCheck::button_clicked, [&] { ++geklickt; });
    ASSERT_TRUE(QMetaObject::invokeMethod(&check, "SlotToggled", Q_ARG(bool, true)));
    ASSERT_TRUE(QMetaObject::invokeMethod(&check, "SlotToggled", Q_ARG(bool, false)));
    ASSERT_TRUE(QMetaObject::invokeMethod(&check, "SlotButton"));
    EXPECT_EQ(umgeschaltet, (std::vector<bool>{true, false}));
    EXPECT_EQ(geklickt, 1);

    CSpeicherLabel label;
    int label_geklickt = 0;
    QObject::connect(&label, &CSpeicherLabel::clicked, [&] { ++label_geklickt; });
    ASSERT_TRUE(QMetaObject::invokeMethod(&label, "SlotButton"));
    EXPECT_EQ(label_geklickt, 1);
}

TEST(CSpeichernButton, MenueOeffnetPerTastenUndLeertasteBehaeltDieVorgabe)
{
    QWidget fenster;
    auto* knopf = new CSpeichernButton(new QHBoxLayout(&fenster), nullptr, true, true, true, 1);
    Mitschrift mit(knopf);
    fenster.show();
    knopf->setFocus();
    // Each key opens the menu; the last one picks "Speichern als PDF" with the keys alone.
    for (const auto& [taste, umschalter] : {std::pair(Qt::Key_Down, Qt::AltModifier), {Qt::Key_Down, Qt::NoModifier},
                                            {Qt::Key_F4, Qt::NoModifier}, {Qt::Key_Menu, Qt::NoModifier}}) {
        bool offen = false;
        QTimer::singleShot(0, knopf->menu(), [&offen, waehlen = taste == Qt::Key_Menu, menue = knopf->menu()] {
            offen = QApplication::activePopupWidget() == menue;
            for (Qt::Key t : waehlen ? std::vector{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}
                                     : std::vector{Qt::Key_Escape})
                QTest::keyPress(menue, t);
        });
        QTimer::singleShot(60000, knopf->menu(), [menue = knopf->menu()] { menue->hide(); });
        QTest::keyPress(knopf, taste, umschalter);
        EXPECT_TRUE(offen) << taste;
    }
    EXPECT_EQ(mit.typen, std::vector<int>{2});
    // Space keeps the default action, "Speichern als Text".
    QTest::keyClick(knopf, Qt::Key_Space);
    EXPECT_EQ(mit.typen, (std::vector<int>{2, 0}));
}
