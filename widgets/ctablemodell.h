// The table model object of the framework's data tables.
#pragma once

#include <QObject>

class CTableModell : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
};
