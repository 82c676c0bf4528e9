// The auto-saver's delays, on a test clock; its timer is read and fired by hand.
#include "autosaver.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimerEvent>
#include <gtest/gtest.h>

namespace {

class Besitzer : public QObject
{
    Q_OBJECT
public:
    int gespeichert = 0;
public slots:
    void save() { ++gespeichert; }
};

QList<QAbstractEventDispatcher::TimerInfo> timer(AutoSaver* saver)
{
    return QAbstractEventDispatcher::instance()->registeredTimers(saver);
}

} // namespace

TEST(AutoSaver, DreiSekundenNachDerLetztenAenderungOderSofortNachFuenfzehn)
{
    qint64 jetzt = 0;
    AutoSaver::setze_uhr([&jetzt] { return jetzt; });
    Besitzer besitzer;
    auto* saver = new AutoSaver(&besitzer);
    for (; jetzt < 10000; jetzt += 1000) {
        saver->changeOccurred();
        ASSERT_EQ(timer(saver).size(), 1);
        EXPECT_EQ(timer(saver)[0].interval, 3000);
    }
    EXPECT_EQ(besitzer.gespeichert, 0);
    QTimerEvent abgelaufen(timer(saver)[0].timerId);
    QCoreApplication::sendEvent(saver, &abgelaufen);
    saver->saveIfNecessary();
    EXPECT_EQ(besitzer.gespeichert, 1);

    // A new first change at 10 s: 15 s after it is still a delay, later saves at once.
    for (jetzt = 10000; jetzt <= 25001; jetzt += (jetzt == 25000 ? 1 : 7500))
        saver->changeOccurred();
    EXPECT_EQ(besitzer.gespeichert, 2);
    EXPECT_TRUE(timer(saver).isEmpty());
    AutoSaver::setze_uhr({});
}

#include "autosaver_test.moc"
