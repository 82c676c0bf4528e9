// The workspace: arranging in rows, tabbed view, size reports and the hand-off of dropped files.
#include "coutlookinterface.h"
#include "cqworkspace.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

QMdiSubWindow* neues_fenster(CQWorkspace& ws)
{
    QMdiSubWindow* f = ws.addSubWindow(new QWidget);
    f->show();
    return f;
}

// Stands in for the mail client's interface: accepts every drag, collects the dropped URLs as
// pending files and delivers them on request.
class TestOutlook : public COutlook_Interface
{
public:
    bool pruefe_drag(QDragEnterEvent* e) override
    {
        ++pruefungen;
        e->acceptProposedAction();
        return true;
    }
    bool dateinamen_angeboten() const override { return true; }
    bool dateiinhalt_angeboten() const override { return false; }
    bool action_dropEvent(QDropEvent* e) override
    {
        for (const QUrl& url : e->mimeData()->urls())
            (url.toLocalFile().toLower().endsWith(".xml") ? xml_wartend : wartend) << url.toLocalFile();
        return true;
    }
    bool action_dropFile() override
    {
        dateien = wartend;
        wartend.clear();
        return !dateien.isEmpty();
    }
    bool action_dropXMLFile() override
    {
        xml = xml_wartend;
        xml_wartend.clear();
        return !xml.isEmpty();
    }
    QStringList gib_dateien() const override { return dateien; }
    QStringList gib_xml_dateien() const override { return xml; }
    bool geliefert_temporaer() const override { return true; }

    int pruefungen = 0;
    QStringList wartend, xml_wartend, dateien, xml;
};

struct Empfang
{
    int drag_betreten = 0;
    std::vector<const QMimeData*> drops;
    std::vector<std::pair<QStringList, bool>> dateien, xml;
    qint64 dateien_nach_ms = -1;
};

template <typename Ziel>
void verbinde(Ziel& ziel, Empfang& empfang, const QElapsedTimer& uhr)
{
    QObject::connect(&ziel, &Ziel::dragEntered, [&](QDragEnterEvent*, bool, bool) { ++empfang.drag_betreten; });
    QObject::connect(&ziel, &Ziel::dropChanged, [&](const QMimeData* d) { empfang.drops.push_back(d); });
    QObject::connect(&ziel, &Ziel::dropFile, [&](QStringList l, bool t) {
        empfang.dateien.emplace_back(l, t);
        empfang.dateien_nach_ms = uhr.elapsed();
    });
}

void warte_bis(const std::function<bool()>& fertig, int hoechstens_ms)
{
    QElapsedTimer uhr;
    uhr.start();
    while (!fertig() && uhr.elapsed() < hoechstens_ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Drags and drops arrive at the scroll area's viewport; a plain widget takes them itself.
void ziehe_und_lasse_fallen(QWidget* ziel, QMimeData& daten)
{
    QDragEnterEvent betreten(QPoint(5, 5), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(ziel, &betreten);
    QDragMoveEvent bewegen(QPoint(6, 6), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(ziel, &bewegen);
    QDropEvent fallen(QPointF(6, 6), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(ziel, &fallen);
}

QString lege_an(const QTemporaryDir& ordner, const QString& name)
{
    QFile datei(ordner.filePath(name));
    EXPECT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write("x");
    return datei.fileName();
}

} // namespace

TEST(CQWorkspace, AnordnenStapeltInZeilenUndVerlaesstDieTabAnsicht)
{
    CQWorkspace ws;
    int groessen = 0;
    QObject::connect(&ws, &CQWorkspace::signalWSSizeChanged, [&] { ++groessen; });
    ws.resize(800, 600);
    ws.show();
    EXPECT_GE(groessen, 1);
    std::vector<QMdiSubWindow*> fenster{neues_fenster(ws), neues_fenster(ws), neues_fenster(ws)};
    fenster[1]->showMaximized();
    ASSERT_TRUE(ws.setzeTabAnsicht(true));

    ws.anordnen(2);
    EXPECT_FALSE(ws.ist_tabansicht());
    EXPECT_EQ(ws.viewMode(), QMdiArea::SubWindowView);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(fenster[i]->geometry(), QRect(0, 200 * i, 800, 200)) << i;
    EXPECT_FALSE(fenster[1]->isMaximized());

    // A window that needs more height gets it; the rows below move down.
    fenster[0]->setMinimumHeight(250);
    ws.anordnen(2);
    EXPECT_EQ(fenster[0]->geometry(), QRect(0, 0, 800, 250));
    EXPECT_EQ(fenster[1]->geometry(), QRect(0, 250, 800, 200));
    EXPECT_EQ(fenster[2]->geometry(), QRect(0, 450, 800, 200));
}

TEST(CQWorkspace, TabAnsichtNimmtDasImmerObenWeg)
{
    CQWorkspace ws;
    ws.resize(800, 600);
    ws.show();
    QMdiSubWindow* oben = neues_fenster(ws);
    oben->setWindowFlags(oben->windowFlags() | Qt::WindowStaysOnTopHint);
    oben->show();
    QAction* stay = nullptr;
    for (QAction* a : oben->actions()) {
        if (a->text() == "Stay on &Top")
            stay = a;
    }
    ASSERT_NE(stay, nullptr);
    ASSERT_TRUE(stay->isChecked());

    EXPECT_TRUE(ws.setzeTabAnsicht(true));
    EXPECT_TRUE(ws.ist_tabansicht());
    EXPECT_EQ(ws.viewMode(), QMdiArea::TabbedView);
    EXPECT_TRUE(ws.tabsClosable());
    EXPECT_FALSE(oben->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(stay->isChecked());
    EXPECT_TRUE(oben->isVisible());

    EXPECT_FALSE(ws.setzeTabAnsicht(false));
    EXPECT_EQ(ws.viewMode(), QMdiArea::SubWindowView);
}

TEST(CQWorkspace, DropWirdSofortGemeldetUndDieDateienHalbeSekundeSpaeter)
{
    QTemporaryDir ordner;
    const QString a = lege_an(ordner, "a.txt");
    const QString b = lege_an(ordner, "b.pdf");
    const QString xml = lege_an(ordner, "c.XML");

    CQWorkspace ws;
    ws.setAcceptDrops(true);
    TestOutlook outlook;
    ws.setze_outlook_interface(&outlook);
    ws.setze_datei_lieferung(true);
    Empfang empfang;
    QElapsedTimer uhr;
    verbinde(ws, empfang, uhr);
    QObject::connect(&ws, &CQWorkspace::dropXMLFile, [&](QStringList l, bool t) { empfang.xml.emplace_back(l, t); });

    QMimeData daten;
    daten.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    uhr.start();
    ziehe_und_lasse_fallen(ws.viewport(), daten);
    EXPECT_EQ(outlook.pruefungen, 1);
    EXPECT_EQ(empfang.drag_betreten, 1);
    ASSERT_EQ(empfang.drops.size(), 1u);
    EXPECT_EQ(empfang.drops[0], &daten);
    EXPECT_TRUE(empfang.dateien.empty());

    warte_bis([&] { return !empfang.dateien.empty(); }, 30000);
    ASSERT_EQ(empfang.dateien.size(), 1u);
    EXPECT_EQ(empfang.dateien[0].first, (QStringList{a, b}));
    EXPECT_TRUE(empfang.dateien[0].second);
    EXPECT_GE(empfang.dateien_nach_ms, 400);
    EXPECT_TRUE(empfang.xml.empty());

    // With XML delivery on, only names of existing XML files reach the receiver.
    ws.setze_xml_lieferung(true);
    ws.setze_datei_lieferung(false);
    QMimeData xml_daten;
    xml_daten.setUrls({QUrl::fromLocalFile(xml), QUrl::fromLocalFile(ordner.filePath("fehlt.xml"))});
    ziehe_und_lasse_fallen(ws.viewport(), xml_daten);
    warte_bis([&] { return !empfang.xml.empty(); }, 30000);
    ASSERT_EQ(empfang.xml.size(), 1u);
    EXPECT_EQ(empfang.xml[0].first, QStringList{xml});
    EXPECT_EQ(empfang.dateien.size(), 1u);
}

TEST(CQWorkspace, OhneInterfaceWerdenDropsIgnoriert)
{
    QTemporaryDir ordner;
    QMimeData daten;
    daten.setUrls({QUrl::fromLocalFile(lege_an(ordner, "a.txt"))});
    QElapsedTimer uhr;
    uhr.start();

    CQWorkspace ws;
    ws.setAcceptDrops(true);
    ws.setze_datei_lieferung(true);
    ws.setze_xml_lieferung(true);
    Empfang vom_ws;
    verbinde(ws, vom_ws, uhr);
    QDragEnterEvent betreten(QPoint(5, 5), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    betreten.accept();
    QCoreApplication::sendEvent(ws.viewport(), &betreten);
    EXPECT_FALSE(betreten.isAccepted());
    ziehe_und_lasse_fallen(ws.viewport(), daten);

    CMWidget widget;
    widget.setAcceptDrops(true);
    Empfang vom_widget;
    verbinde(widget, vom_widget, uhr);
    ziehe_und_lasse_fallen(&widget, daten);

    warte_bis([] { return false; }, 700);
    for (const Empfang* e : {&vom_ws, &vom_widget}) {
        EXPECT_EQ(e->drag_betreten, 0);
        EXPECT_TRUE(e->drops.empty());
        EXPECT_TRUE(e->dateien.empty());
    }
}

TEST(CQWorkspace, CMWidgetLiefertDateienUndUeberstehtEinVerschwundenesInterface)
{
    QTemporaryDir ordner;
    const QString a = lege_an(ordner, "a.txt");
    QMimeData daten;
    daten.setUrls({QUrl::fromLocalFile(a)});
    QElapsedTimer uhr;
    uhr.start();

    CMWidget widget;
    widget.setAcceptDrops(true);
    TestOutlook outlook;
    widget.setze_outlook_interface(&outlook);
    Empfang empfang;
    verbinde(widget, empfang, uhr);
    ziehe_und_lasse_fallen(&widget, daten);
    EXPECT_EQ(empfang.drag_betreten, 1);
    EXPECT_EQ(empfang.drops.size(), 1u);
    warte_bis([&] { return !empfang.dateien.empty(); }, 30000);
    ASSERT_EQ(empfang.dateien.size(), 1u);
    EXPECT_EQ(empfang.dateien[0].first, QStringList{a});

    // The interface goes away between the drop and the delivery: nothing is delivered.
    auto vergaenglich = std::make_unique<TestOutlook>();
    widget.setze_outlook_interface(vergaenglich.get());
    ziehe_und_lasse_fallen(&widget, daten);
    vergaenglich.reset();
    EXPECT_EQ(widget.gib_outlook_interface(), nullptr);
    warte_bis([] { return false; }, 700);
    EXPECT_EQ(empfang.dateien.size(), 1u);
}

TEST(CQWorkspace, IstXmlDateiVerlangtEineVorhandeneDateiMitEndungXml)
{
    QTemporaryDir ordner;
    EXPECT_TRUE(ist_xml_datei(lege_an(ordner, "Bericht.XML")));
    EXPECT_FALSE(ist_xml_datei(lege_an(ordner, "Bericht.txt")));
    EXPECT_FALSE(ist_xml_datei(ordner.filePath("fehlt.xml")));
    ASSERT_TRUE(QDir(ordner.path()).mkdir("ordner.xml"));
    EXPECT_FALSE(ist_xml_datei(ordner.filePath("ordner.xml")));
}
