// The busy indicator's dots and timer, the full-screen notice's place and fading, and the tab bar's shortcuts, tab drag and menu key, without the web engine.
#include "chasewidget.h"
#include "fullscreennotification.h"
#include "tabbar.h"
#include "warten.h"

#include <QApplication>
#include <QDrag>
#include <QElapsedTimer>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

class ZaehlendeChase : public ChaseWidget
{
public:
    using ChaseWidget::ChaseWidget;
    int ticks = 0;
    std::set<int> zeitgeber;

protected:
    void timerEvent(QTimerEvent* event) override
    {
        ++ticks;
        zeitgeber.insert(event->timerId());
        ChaseWidget::timerEvent(event);
    }
};

void erwarte_grau(const QColor& farbe, int wert)
{
    EXPECT_NEAR(farbe.red(), wert, 3);
    EXPECT_NEAR(farbe.green(), wert, 3);
    EXPECT_NEAR(farbe.blue(), wert, 3);
}

// Keeps what a tab drag would carry instead of running it.
class MerkendeTabBar : public TabBar
{
public:
    std::unique_ptr<QMimeData> daten;
    int zuege = 0;

protected:
    void starteZiehen(QDrag* drag) override
    {
        ++zuege;
        auto* d = new QMimeData;
        for (const QString& format : drag->mimeData()->formats())
            d->setData(format, drag->mimeData()->data(format));
        d->setUrls(drag->mimeData()->urls());
        daten.reset(d);
    }
};

void bewege(QWidget* w, QEvent::Type typ, const QPoint& punkt, Qt::MouseButton knopf, Qt::MouseButtons knoepfe)
{
    QMouseEvent ereignis(typ, punkt, w->mapToGlobal(punkt), knopf, knoepfe, Qt::NoModifier);
    QApplication::sendEvent(w, &ereignis);
}

} // namespace

TEST(ChaseWidget, PunkteLaufenMitJedemTakt)
{
    QApplication::setLayoutDirection(Qt::LeftToRight);
    ZaehlendeChase chase;
    EXPECT_EQ(chase.sizeHint(), QSize(32, 32));
    chase.resize(32, 32);

    chase.setAnimated(true);
    erwarte_grau(chase.grab().toImage().pixelColor(24, 16), 31);
    ASSERT_TRUE(warte([&] { return chase.ticks >= 1; }, 10000));
    erwarte_grau(chase.grab().toImage().pixelColor(24, 16), 255);

    // A second switch-on starts no second timer: every tick comes from the same one.
    chase.setAnimated(false);
    chase.ticks = 0;
    chase.zeitgeber.clear();
    chase.setAnimated(true);
    chase.setAnimated(true);
    EXPECT_TRUE(warte([&] { return chase.ticks >= 6; }, 10000));
    EXPECT_EQ(chase.zeitgeber.size(), 1u);
}

TEST(FullScreenNotification, MittigAufDerElternbreiteUndBlendetAus)
{
    QWidget eltern;
    eltern.resize(600, 400);
    FullScreenNotification hinweis(&eltern);
    eltern.resize(1000, 600);
    eltern.show();

    hinweis.show();
    QElapsedTimer uhr;
    uhr.start();
    warte([&] { return uhr.elapsed() >= 400; }, 500);
    EXPECT_TRUE(hinweis.isVisible());
    EXPECT_EQ(hinweis.size(), QSize(400, 80));
    ASSERT_NE(hinweis.findChild<QLabel*>(), nullptr);
    EXPECT_EQ(hinweis.findChild<QLabel*>()->text(), QStringLiteral("You are now in fullscreen mode. Press ESC to quit!"));
    EXPECT_EQ(hinweis.pos(), eltern.mapToGlobal(QPoint(300, 80)));

    // It fades out after five seconds, however long a loaded machine takes for that.
    EXPECT_TRUE(warte([&] { return !hinweis.isVisible(); }, 30000));
    EXPECT_GE(uhr.elapsed(), 5000);
    EXPECT_DOUBLE_EQ(hinweis.windowOpacity(), 1.0);
}

TEST(TabBar, ZiffernwahlUndZiehenNurSenkrechtNachOben)
{
    MerkendeTabBar bar;
    for (const char* name : {"eins", "zwei", "drei"})
        bar.setTabData(bar.addTab(QString::fromLatin1(name)), QUrl(QStringLiteral("file:///tmp/%1.html").arg(QLatin1String(name))));
    bar.resize(400, bar.sizeHint().height());
    bar.show();

    const QList<QShortcut*> kuerzel = bar.findChildren<QShortcut*>();
    ASSERT_EQ(kuerzel.size(), 9);
    EXPECT_EQ(kuerzel.at(4)->key(), QKeySequence(QStringLiteral("Ctrl+5")));
    emit kuerzel.at(1)->activated();
    EXPECT_EQ(bar.currentIndex(), 1);
    emit kuerzel.at(4)->activated();
    EXPECT_EQ(bar.currentIndex(), 1);

    const QRect tab = bar.tabRect(2);
    ASSERT_GT(tab.height(), 14);
    const QPoint start(tab.center().x(), tab.bottom() - 1);
    bewege(&bar, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    bewege(&bar, QEvent::MouseMove, start + QPoint(20, 0), Qt::NoButton, Qt::LeftButton);
    bewege(&bar, QEvent::MouseMove, start + QPoint(3, -11), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(bar.zuege, 0);
    bewege(&bar, QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton);

    bewege(&bar, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    bewege(&bar, QEvent::MouseMove, start + QPoint(0, -11), Qt::NoButton, Qt::LeftButton);
    ASSERT_EQ(bar.zuege, 1);
    EXPECT_EQ(bar.daten->urls(), QList<QUrl>{QUrl(QStringLiteral("file:///tmp/drei.html"))});
    EXPECT_EQ(bar.daten->text(), QStringLiteral("drei"));
    EXPECT_EQ(bar.daten->data(QStringLiteral("action")), QByteArray("tab-reordering"));
}

TEST(TabBar, MenuetasteOeffnetDasMenueDesAktuellenTabs)
{
    TabBar bar;
    bar.addTab(QStringLiteral("eins"));
    bar.addTab(QStringLiteral("zwei"));
    bar.resize(400, bar.sizeHint().height());
    bar.show();
    bar.setCurrentIndex(1);
    QSignalSpy klone(&bar, qOverload<int>(&TabBar::cloneTab));
    // The key asks at the middle of the bar, beyond both tabs; "Clone Tab" follows "New Tab".
    QTimer::singleShot(0, &bar, [] {
        for (int taste : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
            if (QWidget* menue = QApplication::activePopupWidget())
                QTest::keyClick(menue, Qt::Key(taste));
    });
    QContextMenuEvent taste(QContextMenuEvent::Keyboard, bar.rect().center(), bar.mapToGlobal(bar.rect().center()));
    QApplication::sendEvent(&bar, &taste);
    EXPECT_EQ(klone.value(0).value(0), QVariant(1));
}
