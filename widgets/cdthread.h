// A plain thread of the framework, for work that reports to no log window.
#pragma once

#include <QThread>

class CDThread : public QThread
{
    Q_OBJECT
public:
    using QThread::QThread;
};
