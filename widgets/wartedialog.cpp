#include "wartedialog.h"

#include <QApplication>
#include <QCloseEvent>

#include <algorithm>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(QObject)
};

// Whether a window besides `ausser` keeps the program running by Qt's rule: a visible window of its
// own (no parent) whose close would end the program.
bool haelt_programm(const QWidget* ausser)
{
    const QWidgetList fenster = QApplication::topLevelWidgets();
    return std::any_of(fenster.cbegin(), fenster.cend(), [ausser](const QWidget* f) {
        return f != ausser && f->isVisible() && !f->parentWidget() && f->testAttribute(Qt::WA_QuitOnClose);
    });
}

} // namespace

CWartedialog::CWartedialog(const QString& text, QWidget* eltern, int nach_ms_)
    : QProgressDialog(text, Text::tr("Abbrechen"), 0, 0, eltern), nach_ms(nach_ms_), gehalten(haelt_programm(this))
{
    seit.start();
    // Only Abbrechen ends a wait early: no close button that would seem to.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowModality(Qt::ApplicationModal);
    setAutoReset(false);
    setAutoClose(false);
    // Qt would show it only when its value is set after this time: `halte_offen` shows it.
    setMinimumDuration(nach_ms);
}

CWartedialog::~CWartedialog()
{
    if (geschlossen || (gehalten && !haelt_programm(this)))
        close();
}

void CWartedialog::halte_offen()
{
    if (!isVisible() && seit.elapsed() >= nach_ms)
        show();
}

void CWartedialog::reject()
{
    emit canceled();
}

void CWartedialog::closeEvent(QCloseEvent* ereignis)
{
    geschlossen = true;
    ereignis->accept();
}
