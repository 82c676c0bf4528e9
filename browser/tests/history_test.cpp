// The history store and its file: exact records, loading, saving, expiry, removals that persist, and its four models.
#include "heimordner.h"
#include "browserapplication.h"
#include "dateisperre.h"
#include "dialogseam.h"
#include "historycompletionmodel.h"
#include "historyfiltermodel.h"
#include "historymanager.h"
#include "historymodel.h"
#include "historytreemodel.h"
#include "warten.h"
#include "wecker.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLockFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <functional>
#include <memory>

namespace {

// Set before main builds the application: day and month names are read from the system locale.
const bool c_locale = (setenv("LC_ALL", "C", 1), true);

QStringList& warnungen()
{
    static QStringList liste;
    return liste;
}

QByteArray satz(const QString& url, const QDateTime& zeit, const QString& titel = QString())
{
    return history_datensatz(HistoryItem(url, zeit, titel));
}

// A record framed like the others but of another version.
QByteArray satz_version(qint32 version)
{
    QByteArray inhalt, rahmen;
    QDataStream(&inhalt, QIODevice::WriteOnly) << version << QStringLiteral("http://v.example/")
                                               << QDateTime::currentDateTime() << QString();
    QDataStream strom(&rahmen, QIODevice::WriteOnly);
    strom << inhalt;
    return rahmen;
}

QStringList urls(const HistoryManager& history)
{
    QStringList liste;
    for (const HistoryItem& item : history.entries())
        liste << item.url;
    return liste;
}

class History : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(QFileInfo(HistoryManager::dateiname()).path()).removeRecursively();
        QSettings().remove(QStringLiteral("history"));
        BrowserApplication::setze_privateBrowsing(false);
        warnungen().clear();
        vorher = qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext&, const QString& text) {
            if (typ == QtWarningMsg)
                warnungen() << text;
        });
        setze_frage_funktion([this](QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                    const QStringList&, int, int abbruch) {
            boxen << text;
            return abbruch;
        });
    }
    void TearDown() override
    {
        setze_frage_funktion(nullptr);
        qInstallMessageHandler(vorher);
    }

    static void schreibe(const QByteArray& inhalt)
    {
        QDir().mkpath(QFileInfo(HistoryManager::dateiname()).path());
        QFile datei(HistoryManager::dateiname());
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    }
    static QByteArray datei()
    {
        QFile datei(HistoryManager::dateiname());
        return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    }
    static void setze_limit(int tage) { QSettings().setValue(QStringLiteral("history/historyLimit"), tage); }

    QtMessageHandler vorher = nullptr;
    QStringList boxen;
    const QDateTime jetzt = QDateTime::currentDateTime();
};

TEST_F(History, RecordIsExactAndReadsBack)
{
    const HistoryItem item(QStringLiteral("http://a.example/"), QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)),
                           QStringLiteral("T"));
    const QByteArray bytes = history_datensatz(item);
    EXPECT_EQ(bytes.toHex().toStdString(),
              "0000003d00000017000000220068007400740070003a002f002f0061002e006500780061006d"
              "0070006c0065002f0000000000258a9800a8888800000000020054");
    QBuffer puffer;
    puffer.setData(bytes);
    puffer.open(QIODevice::ReadOnly);
    const QList<HistoryItem> gelesen = lies_history(puffer, nullptr);
    ASSERT_EQ(gelesen.size(), 1);
    EXPECT_EQ(gelesen.first(), item);
}

TEST_F(History, LoadsNewestFirstAndLeavesAnUnchangedFileAlone)
{
    const QByteArray inhalt = satz("http://1.example/", jetzt.addSecs(-300), "eins")
                              + satz("http://2.example/", jetzt.addSecs(-200))
                              + satz("http://3.example/", jetzt.addSecs(-100));
    schreibe(inhalt);
    HistoryManager history;
    EXPECT_EQ(urls(history), QStringList({"http://3.example/", "http://2.example/", "http://1.example/"}));
    EXPECT_EQ(history.entries().last().title, QStringLiteral("eins"));
    history.save();
    EXPECT_EQ(datei(), inhalt);
}

TEST_F(History, SkipsForeignVersionsInvalidTimesAndRepeatsAndSortsOnce)
{
    const QByteArray a = satz("http://a.example/", jetzt.addSecs(-300));
    const QByteArray b = satz("http://b.example/", jetzt.addSecs(-200));
    const QByteArray c = satz("http://c.example/", jetzt.addSecs(-100));
    const QByteArray alt = satz_version(22) + a + satz("http://x.example/", QDateTime()) + a + satz_version(24) + c + b;
    schreibe(alt);
    HistoryManager history;
    EXPECT_EQ(urls(history), QStringList({"http://c.example/", "http://b.example/", "http://a.example/"}));
    // The out-of-order file is written anew, in order, at the next save; what this version could
    // not read of it is kept aside first, and the user told where.
    history.saveIfNecessary();
    EXPECT_EQ(datei(), a + b + c);
    const QString beiseite = HistoryManager::dateiname() + QStringLiteral(".beschaedigt");
    QFile behalten(beiseite);
    ASSERT_TRUE(behalten.open(QIODevice::ReadOnly));
    EXPECT_EQ(behalten.readAll(), alt);
    ASSERT_EQ(boxen.size(), 1);
    EXPECT_TRUE(boxen.first().contains(beiseite)) << qPrintable(boxen.first());
}

TEST_F(History, CleansAddressesAndRecordsNothingWhilePrivate)
{
    HistoryManager history;
    history.addUrl(QStringLiteral("http://USER:pw@WWW.Example.COM/Path"));
    EXPECT_EQ(urls(history), QStringList{"http://USER@www.example.com/Path"});
    history.clear();

    BrowserApplication::setze_privateBrowsing(true);
    QSignalSpy hinzu(&history, &HistoryManager::entryAdded);
    history.addUrl(QStringLiteral("http://privat.example/"));
    history.saveIfNecessary();
    EXPECT_TRUE(history.entries().isEmpty());
    EXPECT_EQ(hinzu.count(), 0);
    EXPECT_TRUE(datei().isEmpty());
}

TEST_F(History, ExpiresOldVisitsAndDropsThemFromTheFile)
{
    const QByteArray alt = satz("http://alt.example/", jetzt.addDays(-31));
    const QByteArray neu = satz("http://neu.example/", jetzt.addDays(-29));
    schreibe(alt + neu);
    {
        HistoryManager history;
        EXPECT_EQ(urls(history), QStringList{"http://neu.example/"});
        const QTimer* timer = history.findChild<QTimer*>();
        ASSERT_TRUE(timer && timer->isActive());
        EXPECT_LE(timer->interval(), 604800 * 1000);
        history.saveIfNecessary();
        EXPECT_EQ(datei(), neu);
    }
    schreibe(alt + neu);
    setze_limit(-1);
    {
        HistoryManager ohne_ablauf;
        EXPECT_EQ(ohne_ablauf.entries().size(), 2);
        EXPECT_FALSE(ohne_ablauf.findChild<QTimer*>()->isActive());
    }
    // A damaged limit counts as the default 30 days, not as 0, which would expire every visit.
    QSettings().setValue(QStringLiteral("history/historyLimit"), QStringLiteral("viele"));
    HistoryManager beschaedigt;
    EXPECT_EQ(urls(beschaedigt), QStringList({"http://neu.example/"}));
    EXPECT_EQ(beschaedigt.historyLimit(), 30);
}

// Visits that expire while the models are up (here by a smaller limit) leave in one removal, not
// one by one, which would rebuild the address list for each. Each visit is weighed by its own
// time, local, UTC or at a fixed offset, a minute either side of the bound; the file follows.
TEST_F(History, ExpiredVisitsLeaveInOneRemovalWeighedByTheirOwnTime)
{
    QByteArray inhalt;
    for (int i = 0; i < 5000; ++i)
        inhalt += satz(QStringLiteral("http://a%1.example/").arg(i), jetzt.addDays(-20).addSecs(i * 60));
    inhalt += satz("http://utc-alt.example/", jetzt.toUTC().addDays(-10));
    inhalt += satz("http://versatz-alt.example/", jetzt.toOffsetFromUtc(-7 * 3600).addDays(-9));
    inhalt += satz("http://utc-vorher.example/", jetzt.toUTC().addDays(-5).addSecs(-60));
    inhalt += satz("http://lokal-vorher.example/", jetzt.addDays(-5).addSecs(-60));
    inhalt += satz("http://lokal-nachher.example/", jetzt.addDays(-5).addSecs(60));
    inhalt += satz("http://versatz-nachher.example/", jetzt.toOffsetFromUtc(5 * 3600).addDays(-5).addSecs(120));
    inhalt += satz("http://utc-nachher.example/", jetzt.toUTC().addDays(-5).addSecs(180));
    schreibe(inhalt);
    HistoryManager history;
    ASSERT_EQ(history.entries().size(), 5007);
    QSignalSpy entfernt(history.historyModel(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy neu_gebaut(history.historyFilterModel(), &QAbstractItemModel::modelReset);
    history.setHistoryLimit(5);
    EXPECT_EQ(entfernt.count(), 1);
    EXPECT_EQ(neu_gebaut.count(), 1);
    const QStringList bleiben{"http://utc-nachher.example/", "http://versatz-nachher.example/",
                              "http://lokal-nachher.example/"};
    EXPECT_EQ(urls(history), bleiben);
    EXPECT_EQ(history.historyFilterModel()->rowCount(), 3);
    const QTimer* timer = history.findChild<QTimer*>();
    ASSERT_TRUE(timer && timer->isActive());
    EXPECT_LE(timer->interval(), 60 * 1000);
    history.saveIfNecessary();
    QFile datei(HistoryManager::dateiname());
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    QStringList gespeichert;
    for (const HistoryItem& item : lies_history(datei, nullptr))
        gespeichert << item.url;
    EXPECT_EQ(gespeichert, bleiben);
}

// Every visit of an address, here every second one of many, leaves in one change of the list,
// which the models follow once.
TEST_F(History, RemovingAnAddressIsOneChangeOfTheList)
{
    QByteArray inhalt;
    for (int i = 0; i < 4000; ++i)
        inhalt += satz(i % 2 ? QStringLiteral("http://weg.example/") : QStringLiteral("http://b%1.example/").arg(i),
                       jetzt.addSecs(i - 4000));
    schreibe(inhalt);
    HistoryManager history;
    ASSERT_EQ(history.entries().size(), 4000);
    QSignalSpy neu_gebaut(history.historyFilterModel(), &QAbstractItemModel::modelReset);
    history.removeUrl(QStringLiteral("http://WEG.example/"));
    EXPECT_EQ(neu_gebaut.count(), 1);
    EXPECT_EQ(history.entries().size(), 2000);
    EXPECT_FALSE(urls(history).contains(QStringLiteral("http://weg.example/")));
    EXPECT_EQ(urls(history).first(), QStringLiteral("http://b3998.example/"));
    EXPECT_EQ(history.historyFilterModel()->rowCount(), 2000);
}

TEST_F(History, ClearEmptiesTheFileAtOnce)
{
    schreibe(satz("http://a.example/", jetzt));
    HistoryManager history;
    history.clear();
    EXPECT_TRUE(QFileInfo::exists(HistoryManager::dateiname()));
    EXPECT_TRUE(datei().isEmpty());
    EXPECT_EQ(QSettings().value(QStringLiteral("history/historyLimit")).toInt(), 30);
}

TEST_F(History, EveryVisitAndTitleReachesTheFile)
{
    {
        // A title given before the first save must not pass the visit off as saved.
        HistoryManager history;
        history.addUrl(QStringLiteral("http://a.example/"));
        history.updateTitle(QUrl(QStringLiteral("http://a.example/")), QStringLiteral("T"));
        history.save();
        // A second visit of the page just saved is a visit of its own.
        QThread::msleep(2);
        history.addUrl(QStringLiteral("http://a.example/"));
        history.save();
    }
    {
        HistoryManager history;
        ASSERT_EQ(history.entries().size(), 2);
        EXPECT_EQ(history.entries().last().title, QStringLiteral("T"));
        // Retitling a visit that is in the file already.
        history.updateTitle(QUrl(QStringLiteral("http://a.example/")), QStringLiteral("U"));
        history.saveIfNecessary();
    }
    HistoryManager history;
    EXPECT_EQ(history.entries().first().title, QStringLiteral("U"));
}

TEST_F(History, RemovalsStayRemovedAfterARestart)
{
    const std::function<void(HistoryManager&)> entfernungen[] = {
        [](HistoryManager& h) { h.removeUrl(QStringLiteral("http://b.example/")); },
        [](HistoryManager& h) { EXPECT_TRUE(h.historyModel()->removeRows(1, 1)); },
        [](HistoryManager& h) { EXPECT_TRUE(h.historyFilterModel()->removeRows(1, 1)); },
    };
    for (const auto& entferne : entfernungen) {
        schreibe(satz("http://a.example/", jetzt.addSecs(-300)) + satz("http://b.example/", jetzt.addSecs(-200))
                 + satz("http://c.example/", jetzt.addSecs(-100)));
        {
            HistoryManager history;
            entferne(history);
            history.saveIfNecessary();
        }
        HistoryManager history;
        EXPECT_EQ(urls(history), QStringList({"http://c.example/", "http://a.example/"}));
    }
}

TEST_F(History, AFailedSaveLeavesTheOldFileAndLosesNoVisit)
{
    HistoryManager history;
    history.addUrl(QStringLiteral("http://a.example/"));
    // Something that cannot be replaced stands where the file goes.
    QDir().mkpath(HistoryManager::dateiname() + QStringLiteral("/drin"));
    history.saveIfNecessary();
    EXPECT_TRUE(QFileInfo::exists(HistoryManager::dateiname() + QStringLiteral("/drin")));
    EXPECT_TRUE(warnungen().join('\n').contains(QStringLiteral("Unable to open history file for saving")));
    QDir(HistoryManager::dateiname()).removeRecursively();
    history.addUrl(QStringLiteral("http://b.example/"));
    history.saveIfNecessary();
    HistoryManager wieder;
    EXPECT_EQ(urls(wieder), QStringList({"http://b.example/", "http://a.example/"}));
}

// Two processes on one profile: a full rewrite takes over the visits the other one added to the
// file since this one last read or wrote it, and leaves out those it removed itself.
TEST_F(History, AFullRewriteKeepsTheVisitsAnotherProcessAdded)
{
    schreibe(satz("http://alt.example/", jetzt.addSecs(-100)));
    HistoryManager eins;
    HistoryManager zwei;
    eins.addUrl(QStringLiteral("http://eins.example/"));
    eins.save();
    zwei.addUrl(QStringLiteral("http://zwei.example/"));
    zwei.save();
    // A late title of a saved visit makes the first write the whole file.
    eins.updateTitle(QUrl(QStringLiteral("http://eins.example/")), QStringLiteral("Eins"));
    eins.save();
    EXPECT_EQ(urls(eins), QStringList({"http://zwei.example/", "http://eins.example/", "http://alt.example/"}));
    // And the second, after a removal, in its turn.
    zwei.removeUrl(QStringLiteral("http://alt.example/"));
    zwei.save();
    EXPECT_EQ(urls(zwei), QStringList({"http://zwei.example/", "http://eins.example/"}));

    HistoryManager danach;
    EXPECT_EQ(urls(danach), QStringList({"http://zwei.example/", "http://eins.example/"}));
    ASSERT_EQ(danach.entries().size(), 2);
    EXPECT_EQ(danach.entries().at(1).title, QStringLiteral("Eins"));
    EXPECT_TRUE(warnungen().isEmpty()) << qPrintable(warnungen().join('\n'));
}

// A second browser appends visit after visit while this one rewrites a long history whole: no
// visit of the second goes with the file the rewrite replaces.
TEST_F(History, ARewriteKeepsEveryVisitASecondBrowserAppendsMeanwhile)
{
    QByteArray lang;
    for (int i = 0; i < 100000; ++i)
        lang += satz(QStringLiteral("http://alt%1.example/").arg(i), jetzt.addSecs(-1000 - i));
    schreibe(lang);
    HistoryManager eins;
    const pid_t zweiter = ::fork();
    if (zweiter == 0) {
        HistoryManager zwei;
        for (int i = 0; i < 100000 && (i < 10 || !QFileInfo::exists(HistoryManager::dateiname() + ".fertig")); ++i)
            zwei.addUrl(QStringLiteral("http://zwei%1.example/").arg(i)), zwei.save();
        zwei.saveIfNecessary();
        ::_exit(0);
    }
    ASSERT_TRUE(warte([&] { return datei().size() > lang.size(); }, 20000));
    eins.removeUrl(QStringLiteral("http://alt0.example/"));
    eins.saveIfNecessary();
    QFile(HistoryManager::dateiname() + ".fertig").open(QIODevice::WriteOnly);
    ASSERT_EQ(::waitpid(zweiter, nullptr, 0), zweiter);
    const QStringList zweite = urls(HistoryManager()).filter(QStringLiteral("http://zwei"));
    for (int i = 0; i < zweite.size(); ++i)
        ASSERT_TRUE(zweite.contains(QStringLiteral("http://zwei%1.example/").arg(i))) << i << " of " << zweite.size();
    QDir(QFileInfo(HistoryManager::dateiname()).path()).removeRecursively();
}

// The user's other browser holding the history's lock past a save's bound is said, and the visit
// reaches the file with the next save. Another account holding the kernel's lock on the user's
// data and settings folders and on the lock file Qt left beside the settings holds up nothing:
// every visit and setting is saved at once and the store ends at once. The history, also one an
// earlier version left readable by all, is its user's alone.
TEST_F(History, LocksOfOthersLoseNoVisitAndHoldUpNoSave)
{
    schreibe(satz("http://alt.example/", jetzt.addSecs(-100)));
    ASSERT_TRUE(QFile::setPermissions(HistoryManager::dateiname(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    {
        HistoryManager history;
        const CDateisperre anderer_browser(HistoryManager::dateiname(), 0);
        history.addUrl(QStringLiteral("http://spaet.example/"));
        history.save();
        EXPECT_TRUE(warnungen().join('\n').contains(CDateisperre::sperrdatei(HistoryManager::dateiname())));
    }
    warnungen().clear();
    // Qt's lock file of the settings, left by a browser that died while it saved.
    const QString qt_sperre = QSettings().fileName() + QStringLiteral(".lock");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(qt_sperre).path()));
    const pid_t abgestuerzt = ::fork();
    if (abgestuerzt == 0)
        ::_exit(QLockFile(qt_sperre).lock() ? 0 : 1);
    int bereit[2];
    ASSERT_TRUE(::waitpid(abgestuerzt, nullptr, 0) == abgestuerzt && ::pipe(bereit) == 0);
    const pid_t fremder = ::fork();
    if (fremder == 0) {
        // Opened before the change of account, as where the home folder is open to all. The change
        // drops a signal asked for at the parent's end: it is asked for after, so that the child
        // ends with the test however that ends.
        const int daten = ::open(QFile::encodeName(QFileInfo(HistoryManager::dateiname()).path()).constData(), O_RDONLY);
        const int konfiguration = ::open(QFile::encodeName(QFileInfo(qt_sperre).path()).constData(), O_RDONLY);
        const int qt = ::open(QFile::encodeName(qt_sperre).constData(), O_RDONLY);
        const bool anders = ::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0 && ::setresuid(65534, 65534, 65534) == 0 && ::prctl(PR_SET_PDEATHSIG, SIGKILL) == 0;
        const char antwort = !anders ? 'x' : ::flock(daten, LOCK_EX) == 0 && ::flock(konfiguration, LOCK_EX) == 0 && ::flock(qt, LOCK_EX) == 0 ? 'j' : 'n';
        (void)!::write(bereit[1], &antwort, 1);
        ::pause();
    }
    const std::shared_ptr<void> beenden(nullptr, [fremder](void*) { ::kill(fremder, SIGKILL), ::waitpid(fremder, nullptr, 0); });
    char antwort = 0;
    ASSERT_EQ(::read(bereit[0], &antwort, 1), 1);
    if (antwort == 'x')
        GTEST_SKIP() << "another account needs root";
    ASSERT_EQ(antwort, 'j');
    const Wecker wecker; // Qt waits for ever on a lock file it may not remove
    const QDeadlineTimer frist(5000);
    {
        HistoryManager history;
        for (int i = 0; i < 20; ++i)
            history.addUrl(QStringLiteral("http://%1.example/").arg(i)), history.save();
    }
    EXPECT_FALSE(frist.hasExpired());
    EXPECT_EQ(HistoryManager().entries().size(), 22);
    EXPECT_EQ(QFileInfo(HistoryManager::dateiname()).permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_TRUE(warnungen().isEmpty() && boxen.isEmpty()) << qPrintable(warnungen().join('\n') + boxen.join('\n'));
}

// A history file that is a pipe is never waited for, neither when it is read nor when visits are
// appended to it: a warning each time, and the visits stay in memory.
TEST_F(History, APipeInThePlaceOfTheFileIsNeverWaitedFor)
{
    const Wecker wecker;
    QDir().mkpath(QFileInfo(HistoryManager::dateiname()).path());
    const QByteArray name = QFile::encodeName(HistoryManager::dateiname());
    ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
    {
        HistoryManager gelesen;
        EXPECT_TRUE(gelesen.entries().isEmpty());
        EXPECT_TRUE(warnungen().join('\n').contains(QStringLiteral("Unable to open history file"))) << warnungen().join('\n').toStdString();
    }
    QFile::remove(HistoryManager::dateiname());

    HistoryManager history;
    history.addUrl(QStringLiteral("http://a.example/"));
    history.saveIfNecessary();
    ASSERT_EQ(::unlink(name.constData()), 0);
    ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
    warnungen().clear();
    history.addUrl(QStringLiteral("http://b.example/"));
    history.saveIfNecessary();
    EXPECT_TRUE(warnungen().join('\n').contains(QStringLiteral("Unable to open history file for saving")));
    EXPECT_EQ(urls(history), QStringList({"http://b.example/", "http://a.example/"}));
    QFile::remove(HistoryManager::dateiname());
}

TEST_F(History, DamagedFilesKeepTheRecordsBeforeTheDamageAndEveryLaterVisit)
{
    const QByteArray a = satz("http://a.example/", jetzt.addSecs(-200));
    const QByteArray b = satz("http://b.example/", jetzt.addSecs(-100));
    QByteArray zone_zeit;
    {
        QByteArray inhalt;
        QDataStream strom(&inhalt, QIODevice::WriteOnly);
        strom << qint32(23) << QStringLiteral("http://z.example/") << qint64(2460312) << quint32(0)
              << qint8(Qt::TimeZone) << QStringLiteral("../../../dev/zero") << QString();
        QDataStream rahmen(&zone_zeit, QIODevice::WriteOnly);
        rahmen << inhalt;
    }
    const QByteArray c = satz("http://c.example/", jetzt.addSecs(-50));
    const QByteArray riesig = QByteArray::fromHex("7fffffff") + QByteArray(100, 'x');
    const QByteArray halb_innen = QByteArray::fromHex("00000008") + a.mid(4, 8);
    const struct
    {
        QByteArray inhalt;
        QStringList erwartet;
    } faelle[] = {
        {a + b.left(b.size() / 2), {"http://a.example/"}},
        {a + b + c.left(c.size() - 3), {"http://b.example/", "http://a.example/"}},
        {a + riesig, {"http://a.example/"}},
        {halb_innen + zone_zeit + a + b, {"http://b.example/", "http://a.example/"}},
        {a + QByteArray::fromHex("ffffffff") + b, {"http://b.example/", "http://a.example/"}},
    };
    for (const auto& fall : faelle) {
        schreibe(fall.inhalt);
        {
            HistoryManager history;
            EXPECT_EQ(urls(history), fall.erwartet) << fall.inhalt.toHex().constData();
            // Appended behind a cut-off record, this visit would never be read again.
            history.addUrl(QStringLiteral("http://neu.example/"));
        }
        HistoryManager wieder;
        EXPECT_EQ(urls(wieder), QStringList("http://neu.example/") + fall.erwartet) << fall.inhalt.toHex().constData();
    }
}

class HistoryModelle : public History
{
protected:
    void SetUp() override
    {
        History::SetUp();
        setze_limit(-1);
        const QDate heute = QDate::currentDate();
        schreibe(satz("http://c.example/", QDateTime(QDate(2024, 1, 2), QTime(12, 0)))
                 + satz("http://user@host.example/path/", QDateTime(heute, QTime(9, 0)), "A")
                 + satz("http://b.example/b.html", QDateTime(heute, QTime(10, 0)))
                 + satz("http://user@host.example/path/", QDateTime(heute, QTime(11, 0))));
        history = std::make_unique<HistoryManager>();
        completion.setSourceModel(history->historyFilterModel());
        for (QAbstractItemModel* modell : std::initializer_list<QAbstractItemModel*>{
                 history->historyModel(), history->historyFilterModel(), history->historyTreeModel(), &completion})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                modell, QAbstractItemModelTester::FailureReportingMode::Warning));
    }
    void TearDown() override
    {
        testers.clear();
        history.reset();
        History::TearDown();
    }

    std::unique_ptr<HistoryManager> history;
    HistoryCompletionModel completion;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

TEST_F(HistoryModelle, ShowVisitsAddressesDaysAndCompletions)
{
    const HistoryModel& tabelle = *history->historyModel();
    ASSERT_EQ(tabelle.rowCount(), 4);
    EXPECT_EQ(tabelle.index(1, 0).data().toString(), QStringLiteral("b.html"));
    EXPECT_EQ(tabelle.index(0, 0).data().toString(), QStringLiteral("http://user@host.example/path/"));

    const HistoryFilterModel& filter = *history->historyFilterModel();
    ASSERT_EQ(filter.rowCount(), 3);
    EXPECT_EQ(filter.index(0, 1).data().toString(), QStringLiteral("http://user@host.example/path/"));
    EXPECT_EQ(filter.index(1, 1).data().toString(), QStringLiteral("http://b.example/b.html"));

    const HistoryTreeModel& baum = *history->historyTreeModel();
    ASSERT_EQ(baum.rowCount(), 2);
    EXPECT_EQ(baum.index(0, 0).data().toString(), QStringLiteral("Earlier Today"));
    EXPECT_EQ(baum.index(0, 1).data().toString(), QStringLiteral("2 items"));
    EXPECT_EQ(baum.index(1, 0).data().toString(), QStringLiteral("Tuesday, January 2, 2024"));
    EXPECT_FALSE(baum.index(1, 0).data(Qt::DecorationRole).value<QIcon>().availableSizes().isEmpty());
    EXPECT_EQ(baum.index(0, 0, baum.index(1, 0)).data().toString(), QStringLiteral("http://c.example/"));

    ASSERT_EQ(completion.rowCount(), 6);
    EXPECT_EQ(completion.index(0, 0).data().toString(), QStringLiteral("http://user@host.example/path/"));
    EXPECT_EQ(completion.index(1, 0).data().toString(), QStringLiteral("host.example/path"));
}

TEST_F(HistoryModelle, FollowEveryChangeOfTheStore)
{
    HistoryFilterModel& filter = *history->historyFilterModel();
    HistoryTreeModel& baum = *history->historyTreeModel();
    QSignalSpy entfernt(&filter, &QAbstractItemModel::rowsRemoved);
    QSignalSpy eingefuegt(&filter, &QAbstractItemModel::rowsInserted);
    history->addUrl(QStringLiteral("http://b.example/b.html"));
    EXPECT_EQ(entfernt.count(), 1);
    ASSERT_EQ(eingefuegt.count(), 1);
    EXPECT_EQ(eingefuegt.first().at(1).toInt(), 0);
    EXPECT_EQ(filter.index(0, 1).data().toString(), QStringLiteral("http://b.example/b.html"));
    EXPECT_EQ(baum.rowCount(baum.index(0, 0)), 2);

    // Out of range: refused, nothing announced.
    QSignalSpy tabelle_entfernt(history->historyModel(), &QAbstractItemModel::rowsAboutToBeRemoved);
    EXPECT_FALSE(history->historyModel()->removeRows(4, 2));
    EXPECT_FALSE(filter.removeRows(-1, 1));
    EXPECT_EQ(tabelle_entfernt.count(), 0);

    // The address row of b goes with its newest visit; its older visit comes back as a row.
    ASSERT_TRUE(filter.removeRows(0, 1));
    ASSERT_EQ(filter.rowCount(), 3);
    EXPECT_EQ(filter.index(1, 1).data().toString(), QStringLiteral("http://b.example/b.html"));
    EXPECT_EQ(filter.index(1, 0).data(HistoryDateTimeRole).toDateTime().time(), QTime(10, 0));

    history->updateTitle(QUrl(QStringLiteral("http://c.example/")), QStringLiteral("C"));
    EXPECT_EQ(baum.index(0, 0, baum.index(1, 0)).data().toString(), QStringLiteral("C"));
    history->removeUrl(QStringLiteral("http://c.example/"));
    EXPECT_EQ(baum.rowCount(), 1);
    // The address row goes with its newest visit; the older visit of it takes its place.
    EXPECT_TRUE(baum.removeRows(0, 1, baum.index(0, 0)));
    ASSERT_EQ(baum.rowCount(baum.index(0, 0)), 2);
    EXPECT_EQ(baum.index(1, 0, baum.index(0, 0)).data().toString(), QStringLiteral("A"));
    EXPECT_TRUE(baum.removeRows(0, 1));
    EXPECT_EQ(history->entries().size(), 0);
    history->addUrl(QStringLiteral("http://neu.example/"));
    EXPECT_EQ(baum.rowCount(), 1);
    history->clear();
    EXPECT_EQ(completion.rowCount(), 0);
}

} // namespace
