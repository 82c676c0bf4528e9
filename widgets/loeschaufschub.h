// Holds back the deletions asked for while the GUI thread runs events in the middle of a job (a window closed meanwhile), until the job has ended.
#pragma once

#include <QObject>
#include <QPointer>
#include <QVector>

// While it lives, an object whose deletion is asked for (`deleteLater`, a window closed with
// Qt::WA_DeleteOnClose) stays: the job up the stack, and work on another thread, may still use it.
// Its deletion is asked for again when the holder goes, and happens once control is back in
// the event loop that asked for it. Nests: the outer holder takes over what an inner one lets go.
class CLoeschaufschub : public QObject
{
public:
    CLoeschaufschub();
    ~CLoeschaufschub() override;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    QVector<QPointer<QObject>> zu_loeschen;
};
