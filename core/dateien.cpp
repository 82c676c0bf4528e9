#include "dateien.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <QSaveFile>
#include <QThread>
#include <algorithm>

namespace {

const int kopfgroesse = 1000;
const qint64 blockgroesse = 60000;

// The wait cursor and the event loop between blocks belong to the GUI thread only.
class Wartezeit
{
public:
    explicit Wartezeit(bool gewuenscht)
    {
        QCoreApplication* anwendung = QCoreApplication::instance();
        aktiv = gewuenscht && anwendung && QThread::currentThread() == anwendung->thread();
        cursor = aktiv && qobject_cast<QGuiApplication*>(anwendung);
        if (cursor)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~Wartezeit()
    {
        if (cursor)
            QGuiApplication::restoreOverrideCursor();
    }
    Wartezeit(const Wartezeit&) = delete;
    Wartezeit& operator=(const Wartezeit&) = delete;

    void lass_laufen() const
    {
        if (aktiv)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    bool aktiv = false;
    bool cursor = false;
};

} // namespace

int kopiere_datei(const QString& quelle, const QString& ziel, const bool& ohne_cursor,
                  const bool& ohne_kopf)
{
    QFile ein(quelle);
    if (!ein.open(QIODevice::ReadOnly))
        return 1;
    QSaveFile aus(ziel);
    if (!aus.open(QIODevice::WriteOnly))
        return 2;
    const Wartezeit warten(!ohne_cursor);
    if (ohne_kopf) {
        char kopf[3];
        if (ein.read(kopf, sizeof kopf) < 0)
            return 1;
    }
    QByteArray block(static_cast<int>(blockgroesse), Qt::Uninitialized);
    for (;;) {
        warten.lass_laufen();
        const qint64 gelesen = ein.read(block.data(), blockgroesse);
        if (gelesen < 0)
            return 1;
        if (gelesen == 0)
            break;
        if (aus.write(block.constData(), gelesen) != gelesen)
            return 2;
    }
    return aus.commit() ? 0 : 2;
}

int verschiebe_datei(const QString& quelle, const QString& ziel, const bool& ohne_cursor)
{
    const QString quellpfad = QFileInfo(quelle).canonicalFilePath();
    if (!quellpfad.isEmpty() && quellpfad == QFileInfo(ziel).canonicalFilePath())
        return 0;
    const int ergebnis = kopiere_datei(quelle, ziel, ohne_cursor, false);
    if (ergebnis != 0)
        return ergebnis;
    return QFile::remove(quelle) ? 0 : 3;
}

int loesche_datei(const QString& name)
{
    return QFile::remove(name) ? 0 : 1;
}

int gib_pe_bitness(const QString& dateiname)
{
    // Only plain files: a pipe or device could block the read or never end.
    if (!QFileInfo(dateiname).isFile())
        return -1;
    QFile datei(dateiname);
    if (!datei.open(QIODevice::ReadOnly))
        return -1;
    QByteArray kopf(kopfgroesse, Qt::Uninitialized);
    const qint64 gelesen = datei.read(kopf.data(), kopfgroesse);
    if (gelesen < 0)
        return -1;
    kopf.truncate(static_cast<int>(gelesen));
    return gib_pe_bitness_von(kopf);
}

int gib_pe_bitness_von(const QByteArray& kopf)
{
    const int groesse = std::min(kopf.size(), kopfgroesse);
    const auto byte = [&kopf](int i) { return static_cast<unsigned char>(kopf[i]); };
    // The offset of the PE header: the low two bytes of the DOS header's field at 60.
    const int offset_feld = 60;
    if (groesse < offset_feld + 2)
        return -1;
    const int offset = byte(offset_feld) | byte(offset_feld + 1) << 8;
    // Bytes beyond those read never match.
    if (offset + 4 >= kopfgroesse || offset + 4 >= groesse)
        return -1;
    if (byte(offset) != 'P' || byte(offset + 1) != 'E')
        return -1;
    switch (byte(offset + 4)) {
    case 0x4C: return 0;
    case 0x64: return 1;
    default: return -1;
    }
}
