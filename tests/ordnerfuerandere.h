// A folder of a test's own that another account can reach, for tests that run something as another account: never the checkout's folders.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <sys/stat.h>

// A new temporary folder (0711) that others may pass through: in the temporary folder where every
// folder above lets others through, else (a private TMPDIR) in the system's "/tmp". Removed with
// the object.
class OrdnerFuerAndere
{
public:
    OrdnerFuerAndere() : dir(ort() + QStringLiteral("/test-XXXXXX"))
    {
        ::chmod(QFile::encodeName(dir.path()).constData(), 0711);
    }

    QString ordner() const { return dir.path(); }
    QString pfad(const QString& name) const { return dir.filePath(name); }

private:
    static QString ort()
    {
        const QString temp = QDir::tempPath();
        for (QString stufe = temp; stufe.size() > 1; stufe = QFileInfo(stufe).path()) {
            struct stat info;
            if (::stat(QFile::encodeName(stufe).constData(), &info) != 0 || !(info.st_mode & S_IXOTH))
                return QStringLiteral("/tmp");
        }
        return temp;
    }

    QTemporaryDir dir;
};
