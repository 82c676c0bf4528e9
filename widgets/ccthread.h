// The framework's thread, widget and dialog bases.
#pragma once

#include "cqstring.h"

#include <QDialog>
#include <QThread>
#include <QWidget>

// Base of every worker thread; the derived class supplies run(). Started by the log window that
// watches it, and deleted by that window once it has finished.
class CCThread : public QThread
{
    Q_OBJECT
public:
    CCThread() : QThread(nullptr) {}
};

// A framework widget: a QWidget with a name.
class CWidget : public QWidget
{
    Q_OBJECT
public:
    CWidget(QWidget* eltern, const CQString& name, Qt::WindowFlags flags = Qt::WindowFlags())
        : QWidget(eltern, flags), name(name)
    {
    }
    const CQString& gib_name() const { return name; }

protected:
    CQString name;
};

// A framework dialog: a QDialog with a name, set by the derived dialog.
class CDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CDialog(QWidget* eltern = nullptr, Qt::WindowFlags flags = Qt::WindowFlags()) : QDialog(eltern, flags) {}
    const CQString& gib_name() const { return name; }

protected:
    CQString name;
};
