#include "coutlookinterface.h"
#include "dateien.h"

#include <QFileInfo>

COutlook_Interface::COutlook_Interface(QObject* eltern) : QObject(eltern) {}

COutlook_Interface::~COutlook_Interface() = default;

bool ist_xml_datei(const QString& pfad)
{
    return ist_datei(pfad) && QFileInfo(pfad).suffix().toLower() == QLatin1String("xml");
}
