// The dock-log toggles, the calendar dialog and the widgets whose signals carry themselves across threads.
#include "camisc.h"
#include "ccheckbox.h"
#include "ccombobutton.h"
#include "cdocklog.h"
#include "cdoublespinbox.h"
#include "ckalenderdialog.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaType>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

TEST(KleineWidgets, UmschaltenVorDemDockTutNichtsDannWechseltEs)
{
    ASSERT_EQ(gib_docklog(), nullptr);
    schalte_protokollfenster();
    zeige_protokollfenster();

    auto dock = std::make_unique<CDockLog>();
    EXPECT_TRUE(dock->isHidden());
    schalte_protokollfenster();
    EXPECT_TRUE(dock->isVisible());
    schalte_protokollfenster();
    EXPECT_TRUE(dock->isHidden());
    zeige_protokollfenster();
    EXPECT_TRUE(dock->isVisible());
    dock.reset();
    EXPECT_EQ(gib_docklog(), nullptr);
    schalte_protokollfenster();
}

TEST(KleineWidgets, KalenderNimmtSeineAuswahlNichtDasArgument)
{
    CKalenderDialog dialog(nullptr, QDate(2024, 5, 17));
    EXPECT_EQ(dialog.gib_kalender()->selectedDate(), QDate(2024, 5, 17));
    dialog.calenderAccepted(QDate(2000, 1, 1));
    EXPECT_EQ(dialog.gib_datum(), QDate(2024, 5, 17));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

std::atomic<int> warnungen{0};

void zaehle_warnungen(QtMsgType typ, const QMessageLogContext&, const QString&)
{
    if (typ == QtWarningMsg || typ == QtCriticalMsg)
        ++warnungen;
}

class Empfaenger : public QObject
{
    Q_OBJECT
public slots:
    void nimm(CDoubleSpinBox* box)
    {
        im_thread = QThread::currentThread();
        erhalten = box;
    }

public:
    std::atomic<QThread*> im_thread{nullptr};
    std::atomic<CDoubleSpinBox*> erhalten{nullptr};
};

// The connection is made by name, as queued connections and invokeMethod find their types.
TEST(KleineWidgets, WertAenderungKommtUeberThreadsOhneWarnung)
{
    const QtMessageHandler vorher = qInstallMessageHandler(zaehle_warnungen);
    CDoubleSpinBox box;
    CCheckBox check;
    CComboButton combo;
    EXPECT_NE(QMetaType::type("CDoubleSpinBox*"), 0);
    EXPECT_NE(QMetaType::type("CCheckBox*"), 0);
    EXPECT_NE(QMetaType::type("CComboButton*"), 0);

    // The box reports from a worker thread to a receiver in the GUI thread.
    Empfaenger empfaenger;
    ASSERT_TRUE(QObject::connect(&box, SIGNAL(value_Changed(CDoubleSpinBox*)), &empfaenger,
                                 SLOT(nimm(CDoubleSpinBox*)), Qt::QueuedConnection));
    std::thread([&box] { box.slot_value(3.5); }).join();
    QElapsedTimer uhr;
    uhr.start();
    while (!empfaenger.erhalten && uhr.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    qInstallMessageHandler(vorher);

    EXPECT_EQ(empfaenger.erhalten.load(), &box);
    EXPECT_EQ(empfaenger.im_thread.load(), QCoreApplication::instance()->thread());
    EXPECT_EQ(warnungen, 0);

    CCheckBox* gemeldet = nullptr;
    QObject::connect(&check, &CCheckBox::state_Changed, [&](CCheckBox* b) { gemeldet = b; });
    check.setChecked(true);
    EXPECT_EQ(gemeldet, &check);
}

} // namespace

#include "kleinewidgets_test.moc"
