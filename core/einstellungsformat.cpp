#include "einstellungsformat.h"

#include "dateien.h"
#include "dateisperre.h"
#include "privatdatei.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QLockFile>
#include <QPoint>
#include <QSaveFile>
#include <QRect>
#include <QSet>
#include <QSize>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <QVector>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char hexziffern[] = "0123456789ABCDEF";

// ---- Writing: the text Qt's INI writer makes, but with names that read back as written ----

// A group or key name: letters, digits and "_-." stay, "/" inside a key becomes "\", every other
// character "%XX" or "%UXXXX".
void schreibe_name(const QString& name, QByteArray& text)
{
    for (const QChar zeichen : name) {
        uint ch = zeichen.unicode();
        if (ch == '/') {
            text += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_'
                   || ch == '-' || ch == '.') {
            text += char(ch);
        } else if (ch <= 0xFF) {
            text += '%';
            text += hexziffern[ch / 16];
            text += hexziffern[ch % 16];
        } else {
            text += "%U";
            char ziffern[4];
            for (int i = 3; i >= 0; --i) {
                ziffern[i] = hexziffern[ch % 16];
                ch >>= 4;
            }
            text.append(ziffern, 4);
        }
    }
}

// A value as text; the marks "@..." tell the types apart that a plain text would not keep.
QString als_text(const QVariant& wert)
{
    switch (wert.userType()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray: {
        const QByteArray bytes = wert.toByteArray();
        return QLatin1String("@ByteArray(") + QLatin1String(bytes.constData(), bytes.size()) + QLatin1Char(')');
    }
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Double:
    case QMetaType::QKeySequence: {
        QString text = wert.toString();
        if (text.contains(QChar::Null))
            return QLatin1String("@String(") + text + QLatin1Char(')');
        if (text.startsWith(QLatin1Char('@')))
            text.prepend(QLatin1Char('@'));
        return text;
    }
    case QMetaType::QRect: {
        const QRect r = wert.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
    }
    case QMetaType::QSize: {
        const QSize s = wert.toSize();
        return QString::asprintf("@Size(%d %d)", s.width(), s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = wert.toPoint();
        return QString::asprintf("@Point(%d %d)", p.x(), p.y());
    }
    default: {
        const bool zeitpunkt = wert.userType() == QMetaType::QDateTime;
        QByteArray bytes;
        {
            QDataStream strom(&bytes, QIODevice::WriteOnly);
            strom.setVersion(zeitpunkt ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
            strom << wert;
        }
        return QLatin1String(zeitpunkt ? "@DateTime(" : "@Variant(") + QLatin1String(bytes.constData(), bytes.size())
               + QLatin1Char(')');
    }
    }
}

// A value's text with escapes for control characters, quotes, backslashes and everything beyond
// ASCII; in quotes when it holds ";,=" or starts or ends with a blank.
void schreibe_wert(const QString& wert, QByteArray& text)
{
    bool in_anfuehrung = false;
    // After "\x.." a hex digit would be read as part of the escape.
    bool ziffer_schuetzen = false;
    const int anfang = text.size();
    for (const QChar zeichen : wert) {
        const uint ch = zeichen.unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            in_anfuehrung = true;
        if (ziffer_schuetzen
            && ((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F'))) {
            text += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        ziffer_schuetzen = false;
        switch (ch) {
        case '\0':
            text += "\\0";
            ziffer_schuetzen = true;
            break;
        case '\a': text += "\\a"; break;
        case '\b': text += "\\b"; break;
        case '\f': text += "\\f"; break;
        case '\n': text += "\\n"; break;
        case '\r': text += "\\r"; break;
        case '\t': text += "\\t"; break;
        case '\v': text += "\\v"; break;
        case '"':
        case '\\':
            text += '\\';
            text += char(ch);
            break;
        default:
            if (ch <= 0x1F || ch >= 0x7F) {
                text += "\\x" + QByteArray::number(ch, 16);
                ziffer_schuetzen = true;
            } else {
                text += char(ch);
            }
        }
    }
    if (in_anfuehrung || (anfang < text.size() && (text.at(anfang) == ' ' || text.at(text.size() - 1) == ' '))) {
        text.insert(anfang, '"');
        text += '"';
    }
}

void schreibe_zeile(const QString& schluessel, const QVariant& wert, QByteArray& text)
{
    schreibe_name(schluessel, text);
    text += '=';
    // A list of one element is no list in the text: it is written whole as one value.
    const int typ = wert.userType();
    if (typ == QMetaType::QStringList || (typ == QMetaType::QVariantList && wert.toList().size() != 1)) {
        const QVariantList liste = wert.toList();
        if (liste.isEmpty())
            text += "@Invalid()";
        for (int i = 0; i < liste.size(); ++i) {
            if (i != 0)
                text += ", ";
            schreibe_wert(als_text(liste.at(i)), text);
        }
    } else {
        schreibe_wert(als_text(wert), text);
    }
    text += '\n';
}

// ---- Reading: every text Qt's INI reader takes ----

// One logical line from `stelle` on: its start and length (a comment line, blanks and empty lines
// skipped; quotes and a backslash carry it over a line break), and where its first "=" outside
// quotes is (-1 for none). False at the end of the text.
bool lies_zeile(const QByteArray& text, int& stelle, int& anfang, int& laenge, int& gleich)
{
    const int ende = text.size();
    bool in_anfuehrung = false;
    gleich = -1;
    anfang = stelle;
    const auto leer = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f' || ch == '\v'; };
    while (anfang < ende && leer(text.at(anfang)))
        ++anfang;
    int i = anfang;
    while (i < ende) {
        const char ch = text.at(i++);
        if (ch == '=') {
            if (!in_anfuehrung && gleich == -1)
                gleich = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == anfang + 1) {
                ++anfang;
            } else if (!in_anfuehrung) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < ende) {
                const char naechstes = text.at(i++);
                if (i < ende) {
                    const char danach = text.at(i);
                    if ((naechstes == '\n' && danach == '\r') || (naechstes == '\r' && danach == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            in_anfuehrung = !in_anfuehrung;
        } else if (ch == ';') {
            if (i == anfang + 1) {
                while (i < ende && text.at(i) != '\n' && text.at(i) != '\r')
                    ++i;
                while (i < ende && leer(text.at(i)))
                    ++i;
                anfang = i;
            } else if (!in_anfuehrung) {
                --i;
                break;
            }
        }
    }
    stelle = i;
    laenge = i - anfang;
    return laenge > 0;
}

// A name written by `schreibe_name` (or by hand): "\" is "/", "%XX" and "%UXXXX" one character.
void lies_name(const QByteArray& text, int von, int bis, QString& name)
{
    int i = von;
    while (i < bis) {
        const char ch = text.at(i);
        if (ch == '\\') {
            name += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == bis - 1) {
            name += QLatin1Char(ch);
            ++i;
            continue;
        }
        int ziffern = 2;
        int erste = i + 1;
        if (text.at(i + 1) == 'U') {
            ++erste;
            ziffern = 4;
        }
        bool ok = false;
        const int wert = erste + ziffern <= bis ? text.mid(erste, ziffern).toInt(&ok, 16) : 0;
        if (!ok) {
            name += QLatin1Char('%');
            ++i;
            continue;
        }
        name += QChar(wert);
        i = erste + ziffern;
    }
}

void kuerze_blanks(QString& text, int grenze)
{
    int n = text.size();
    while (n > grenze && (text.at(n - 1) == QLatin1Char(' ') || text.at(n - 1) == QLatin1Char('\t')))
        --n;
    text.truncate(n);
}

// The value text between `von` and `bis`: escapes resolved, quotes removed. True when it is a
// list (a comma outside quotes), whose elements are then in `liste`.
bool lies_wert(const QByteArray& text, int von, int bis, QString& wert, QStringList& liste)
{
    static const char fluchtzeichen[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                            {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                            {'?', '?'}, {'\'', '\''}, {'\\', '\\'}};
    bool ist_liste = false;
    bool in_anfuehrung = false;
    bool angefuehrt = false;
    int i = von;
    const auto ueberspringe_blanks = [&] {
        while (i < bis && (text.at(i) == ' ' || text.at(i) == '\t'))
            ++i;
    };
    ueberspringe_blanks();
    int grenze = wert.size();
    while (i < bis) {
        const char ch = text.at(i);
        if (ch == '\\') {
            ++i;
            if (i >= bis)
                break;
            const char art = text.at(i++);
            bool gefunden = false;
            for (const auto& paar : fluchtzeichen) {
                if (art == paar[0]) {
                    wert += QLatin1Char(paar[1]);
                    gefunden = true;
                    break;
                }
            }
            if (gefunden) {
                grenze = wert.size();
                continue;
            }
            // The value of a hex digit, -1 for another character.
            const auto hex = [](char c) {
                return c >= '0' && c <= '9' ? c - '0'
                       : c >= 'A' && c <= 'F' ? c - 'A' + 10
                       : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                              : -1;
            };
            if (art == 'x' && i < bis && hex(text.at(i)) >= 0) {
                uint zahl = 0;
                while (i < bis && hex(text.at(i)) >= 0)
                    zahl = (zahl << 4) + uint(hex(text.at(i++)));
                wert += QChar(ushort(zahl));
            } else if (art >= '0' && art <= '7') {
                uint zahl = uint(art - '0');
                while (i < bis && text.at(i) >= '0' && text.at(i) <= '7')
                    zahl = (zahl << 3) + uint(text.at(i++) - '0');
                wert += QChar(ushort(zahl));
            } else if (art == '\n' || art == '\r') {
                if (i < bis) {
                    const char danach = text.at(i);
                    if ((danach == '\n' || danach == '\r') && danach != art)
                        ++i;
                }
            }
            grenze = wert.size();
        } else if (ch == '"') {
            ++i;
            angefuehrt = true;
            in_anfuehrung = !in_anfuehrung;
            if (!in_anfuehrung) {
                ueberspringe_blanks();
                grenze = wert.size();
            }
        } else if (ch == ',' && !in_anfuehrung) {
            if (!angefuehrt)
                kuerze_blanks(wert, grenze);
            if (!ist_liste) {
                ist_liste = true;
                liste.clear();
            }
            liste.append(wert);
            wert.clear();
            angefuehrt = false;
            ++i;
            ueberspringe_blanks();
            grenze = 0;
        } else {
            int j = i + 1;
            while (j < bis && text.at(j) != '\\' && text.at(j) != '"' && text.at(j) != ',')
                ++j;
            wert += QString::fromLatin1(text.constData() + i, j - i);
            i = j;
        }
    }
    if (!angefuehrt)
        kuerze_blanks(wert, grenze);
    if (ist_liste)
        liste.append(wert);
    return ist_liste;
}

// "a b c" inside "@Rect(...)" and the like.
QStringList argumente(const QString& text, int anfang)
{
    return text.mid(anfang, text.size() - anfang - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The value a text of `als_text` stands for; `heil` false when a stored value could not be read.
QVariant als_wert(const QString& text, bool& heil)
{
    if (!text.startsWith(QLatin1Char('@')))
        return text;
    if (text.endsWith(QLatin1Char(')'))) {
        if (text.startsWith(QLatin1String("@ByteArray(")))
            return text.midRef(11, text.size() - 12).toLatin1();
        if (text.startsWith(QLatin1String("@String(")))
            return text.mid(8, text.size() - 9);
        if (text.startsWith(QLatin1String("@Variant(")) || text.startsWith(QLatin1String("@DateTime("))) {
            const bool zeitpunkt = text.at(1) == QLatin1Char('D');
            const QByteArray bytes = text.midRef(zeitpunkt ? 10 : 9).toLatin1();
            QDataStream strom(bytes);
            strom.setVersion(zeitpunkt ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
            QVariant wert;
            strom >> wert;
            if (strom.status() != QDataStream::Ok)
                heil = false;
            return wert;
        }
        if (text.startsWith(QLatin1String("@Rect("))) {
            const QStringList a = argumente(text, 6);
            if (a.size() == 4)
                return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
        } else if (text.startsWith(QLatin1String("@Size("))) {
            const QStringList a = argumente(text, 6);
            if (a.size() == 2)
                return QSize(a[0].toInt(), a[1].toInt());
        } else if (text.startsWith(QLatin1String("@Point("))) {
            const QStringList a = argumente(text, 7);
            if (a.size() == 2)
                return QPoint(a[0].toInt(), a[1].toInt());
        } else if (text == QLatin1String("@Invalid()")) {
            return QVariant();
        }
    }
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    return text;
}

QVariant als_listenwert(const QStringList& liste, bool& heil)
{
    // A list of plain texts stays a list of texts; one mark makes it a list of values.
    QStringList texte = liste;
    for (QString& text : texte) {
        if (!text.startsWith(QLatin1Char('@')))
            continue;
        if (text.startsWith(QLatin1String("@@"))) {
            text.remove(0, 1);
            continue;
        }
        QVariantList werte;
        for (const QString& element : liste)
            werte.append(als_wert(element, heil));
        return werte;
    }
    return texte;
}

// ---- The format ----

// The notices for the program, and the files whose damaged original could not be kept: nothing
// may replace those.
struct Beiseite
{
    std::mutex mutex;
    QStringList hinweise;
    QSet<QString> unbewahrt;
};

Beiseite& beiseite()
{
    static Beiseite* b = new Beiseite;
    return *b;
}

// On stderr now, and in the window or log when the program next takes the notices.
void melde(const QString& hinweis)
{
    qWarning("%s", qUtf8Printable(hinweis));
    std::lock_guard<std::mutex> sperre(beiseite().mutex);
    beiseite().hinweise.append(hinweis);
}

// What the last write of this thread did: the failure's text, or the text it wrote.
thread_local bool schreiben_versucht = false;
// Set while a save refused for its lock lets Qt take the changes off its object: nothing is written.
thread_local bool nicht_schreiben = false;
thread_local QString letzter_schreibfehler;
thread_local QByteArray letzter_text;

bool lies(QIODevice& geraet, QSettings::SettingsMap& werte)
{
    if (lies_einstellungstext(geraet, werte))
        return true;
    // What could be read is used: reading nothing would make the next write drop it all. The
    // file itself is kept before that write can replace it.
    auto* datei = qobject_cast<QFileDevice*>(&geraet);
    const QString name = datei ? datei->fileName() : QString();
    const QString kopie = name.isEmpty() ? QString() : lege_beiseite(name);
    const QString hinweis =
        kopie.isEmpty()
            ? QCoreApplication::translate("Einstellungen",
                                          "Die Einstellungsdatei %1 ist nicht ganz lesbar und kann nicht beiseitegelegt "
                                          "werden: sie wird nicht mehr geschrieben.")
                  .arg(QDir::toNativeSeparators(name))
            : QCoreApplication::translate("Einstellungen",
                                          "Die Einstellungsdatei %1 ist nicht ganz lesbar; sie ist als %2 aufbewahrt.")
                  .arg(QDir::toNativeSeparators(name), QDir::toNativeSeparators(kopie));
    melde(hinweis);
    if (kopie.isEmpty()) {
        std::lock_guard<std::mutex> sperre(beiseite().mutex);
        beiseite().unbewahrt.insert(name);
    }
    return true;
}

// Qt reads a settings file again only when its size or time changed, and the file system's clock
// may give two saves of one moment the same time: each version is stamped at least a millisecond
// after the one it replaces, so that every reader sees the change.
bool stemple(int fd, const QString& echt)
{
    timespec jetzt {};
    ::clock_gettime(CLOCK_REALTIME, &jetzt);
    qint64 ms = qint64(jetzt.tv_sec) * 1000 + jetzt.tv_nsec / 1000000;
    struct stat alt;
    if (::stat(QFile::encodeName(echt).constData(), &alt) == 0)
        ms = std::max(ms, qint64(alt.st_mtim.tv_sec) * 1000 + alt.st_mtim.tv_nsec / 1000000 + 1);
    const timespec zeiten[2] = {{0, UTIME_OMIT}, {time_t(ms / 1000), long(ms % 1000) * 1000000}};
    return ::futimens(fd, zeiten) == 0;
}

// Qt reads a settings file outside every lock and takes its size and time only after the read: a
// save of another instance in between leaves it with the older keys under the newer file's
// stamp, and its next write would merge into them without reading the file again, dropping that
// save's keys. A new time, given under the lock, makes every write read the file first.
void erneuere_stand(const QString& name)
{
    const QString echt = echter_pfad(name);
    const int fd = oeffne_regulaere_datei(QFile::encodeName(echt).constData(), O_RDONLY | O_NOFOLLOW);
    if (fd < 0)
        return;
    (void)stemple(fd, echt);
    ::close(fd);
}

// Whether a process that may be a live Qt of this user's holds the flock that Qt takes on the file
// of inode `knoten`: one of this user's, or one this process cannot see (the kernel shows it as
// 0). One of another account, or one that is gone, is none.
bool haelt_ein_eigener(ino_t knoten)
{
    QFile sperren(QStringLiteral("/proc/locks"));
    if (!sperren.open(QIODevice::ReadOnly))
        return true;
    const QByteArray ende = ':' + QByteArray::number(qulonglong(knoten));
    for (const QByteArray& zeile : sperren.readAll().split('\n')) {
        // "1: FLOCK  ADVISORY  WRITE <pid> <device>:<inode> 0 EOF"; a waiter's line has "->".
        const QList<QByteArray> teile = zeile.simplified().split(' ');
        if (teile.size() < 6 || teile.at(1) != "FLOCK" || !teile.at(5).endsWith(ende))
            continue;
        struct stat prozess;
        if (teile.at(4).toInt() <= 0 || (::stat("/proc/" + teile.at(4), &prozess) == 0 && prozess.st_uid == ::geteuid()))
            return true;
    }
    return false;
}

// Qt's own lock file beside a settings file, left by a process that died while it saved: Qt
// takes it for stale only where it can lock it itself, and another account that opened it (Qt
// makes it readable by all) and holds it would have every later save wait for ever. One whose
// process is gone is removed, but only the user's own file (not a link), and only while no
// process of this user's holds it: a live Qt locks it, and its process may run where this one
// cannot see it by the process id in the file (in another PID namespace).
void raeume_verwaiste_qt_sperre(const QString& name)
{
    const QString datei = name + QStringLiteral(".lock");
    const QByteArray pfad = QFile::encodeName(datei);
    const int fd = ::open(pfad.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat offen;
    struct stat jetzt;
    qint64 prozess = 0;
    QString rechner;
    QString programm;
    if (::fstat(fd, &offen) == 0 && S_ISREG(offen.st_mode) && offen.st_uid == ::geteuid()
        && QLockFile(datei).getLockInfo(&prozess, &rechner, &programm) && rechner == QSysInfo::machineHostName()
        && ::kill(pid_t(prozess), 0) != 0 && errno == ESRCH && !haelt_ein_eigener(offen.st_ino)
        && ::lstat(pfad.constData(), &jetzt) == 0 && jetzt.st_dev == offen.st_dev && jetzt.st_ino == offen.st_ino)
        ::unlink(pfad.constData());
    ::close(fd);
}

// The text into the new file `datei`, which takes the place of `echt`.
bool fuelle(QFileDevice& datei, const QString& echt)
{
    // Owner, group and attributes of the old file stay where they can; another user's file
    // becomes this user's (it holds this user's settings). Passwords stand in settings: the new
    // file is the user's alone before any byte is in it.
    (void)bereite_ersatz_vor(echt, datei.handle());
    if (::fchmod(datei.handle(), S_IRUSR | S_IWUSR) != 0) {
        letzter_schreibfehler = systemfehler(errno);
        return false;
    }
    const bool geschrieben = datei.write(letzter_text) == letzter_text.size();
    // Qt commits without looking at the last flush: it is done and checked here.
    if (!schreibe_puffer(datei) || !stemple(datei.handle(), echt)) {
        letzter_schreibfehler = datei.error() != QFileDevice::NoError ? datei.errorString()
                                                                      : systemfehler(errno);
        return false;
    }
    if (!geschrieben)
        letzter_schreibfehler = datei.errorString();
    return geschrieben;
}

// The file Qt's writer replaces: it follows links by their text, from the folder the link's name
// shows, which through a linked folder is another file than the one the kernel finds.
QString ziel_von_qt(const QString& name)
{
    QFileInfo info(name);
    for (int verweise = 0; verweise < 128 && info.isSymLink(); ++verweise)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

bool schreibe(QIODevice& geraet, const QSettings::SettingsMap& werte)
{
    if (nicht_schreiben)
        return false;
    schreiben_versucht = true;
    auto* datei = qobject_cast<QFileDevice*>(&geraet);
    if (datei) {
        std::lock_guard<std::mutex> sperre(beiseite().mutex);
        if (beiseite().unbewahrt.contains(datei->fileName())) {
            letzter_schreibfehler = QCoreApplication::translate(
                "Einstellungen", "die Datei ist nicht ganz lesbar und kann nicht beiseitegelegt werden");
            return false;
        }
    }
    letzter_text = einstellungstext(werte);
    if (!datei)
        return geraet.write(letzter_text) == letzter_text.size();
    // Never through a link or into a file that another account planted in a shared folder.
    const QString echt = schreibziel(datei->fileName(), letzter_schreibfehler);
    if (!letzter_schreibfehler.isEmpty())
        return false;
    auto* ersatz = qobject_cast<QSaveFile*>(datei);
    if (!ersatz || echter_pfad(ziel_von_qt(datei->fileName())) == echt)
        return fuelle(*datei, echt);
    // Qt would replace another file: the one the links name is written here, and Qt's new file
    // is dropped (its commit then fails, and the next sync writes again).
    QSaveFile eigene(echt);
    const bool gelungen = eigene.open(QIODevice::WriteOnly) && fuelle(eigene, echt) && eigene.commit();
    if (!gelungen && letzter_schreibfehler.isEmpty())
        letzter_schreibfehler = eigene.errorString();
    ersatz->cancelWriting();
    return gelungen;
}

// Whether the file `name` holds the keys and values of `einstellungen` in its current group and
// below, and no others there (compared as the text they are written as).
bool haelt_stand(QSettings& einstellungen, const QString& name)
{
    QSettings::SettingsMap datei;
    QFile geraet(name);
    if (ist_datei(name) && (!oeffne_regulaere_datei(geraet, QIODevice::ReadOnly) || !lies_einstellungstext(geraet, datei)))
        return false;
    const QString gruppe = einstellungen.group().isEmpty() ? QString() : einstellungen.group() + QLatin1Char('/');
    QSettings::SettingsMap dort;
    for (auto it = datei.constBegin(); it != datei.constEnd(); ++it)
        if (it.key().startsWith(gruppe))
            dort.insert(it.key(), it.value());
    const bool rueckfall = einstellungen.fallbacksEnabled();
    einstellungen.setFallbacksEnabled(false);
    QSettings::SettingsMap hier;
    for (const QString& schluessel : einstellungen.allKeys())
        hier.insert(gruppe + schluessel, einstellungen.value(schluessel));
    einstellungen.setFallbacksEnabled(rueckfall);
    return einstellungstext(hier) == einstellungstext(dort);
}

// The folder of the user's files of the format, as QSettings::setPath left it: the name of a
// settings object of a new random organisation, whose file is not there and so not read.
QString einstellungsordner()
{
    const QString probe = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString name = QSettings(einstellungsformat(), QSettings::UserScope, probe).fileName();
    return name.left(name.lastIndexOf(probe));
}

// Whether Qt can open `pfad` without waiting for ever: nothing there, a regular file (behind links
// too) for the settings file, the user's own regular file for Qt's lock file, which Qt must lock
// or else can only take for stale where it may write it.
bool haelt_nicht_an(const QString& pfad, bool sperre)
{
    struct stat info;
    const QByteArray name = QFile::encodeName(pfad);
    if ((sperre ? ::lstat(name.constData(), &info) : ::stat(name.constData(), &info)) != 0)
        return true;
    return S_ISREG(info.st_mode) && (!sperre || info.st_uid == ::geteuid());
}

// Moves `pfad` to the first free name `pfad` + ".beiseite" (then "-2", ...); the new name, or
// empty with errno where nothing can be moved there (ENOENT: nothing is there any more).
QString lege_weg(const QString& pfad)
{
    for (int nummer = 1; nummer < 1000; ++nummer) {
        const QString name = pfad + QStringLiteral(".beiseite") + (nummer == 1 ? QString() : QStringLiteral("-%1").arg(nummer));
        if (benenne_um(pfad, name))
            return name;
        if (errno != EEXIST)
            break;
    }
    return QString();
}

void setze_vorgabe()
{
    QSettings::setDefaultFormat(einstellungsformat());
    // QSettings() takes the application's names: its files are looked at before and whenever they change.
    const auto pruefe = [] {
        pruefe_einstellungsorte(QCoreApplication::organizationName(), QCoreApplication::applicationName());
    };
    pruefe();
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::organizationNameChanged, pruefe);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::applicationNameChanged, pruefe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(setze_vorgabe)

QSettings::Format einstellungsformat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("conf"), lies, schreibe);
    return format;
}

QString sichere_einstellungen(QSettings& einstellungen)
{
    const QString name = einstellungen.fileName();
    schreiben_versucht = false;
    letzter_schreibfehler.clear();
    letzter_text.clear();
    if (!lege_private_ordner_an(QFileInfo(name).path()))
        letzter_schreibfehler = systemfehler(errno);
    // One save at a time, up to the look at what it wrote: another instance's save would change
    // the file in between. Qt's own lock covers its read, merge and write only. A lock held for
    // longer than any save takes is not waited for: the save is refused and says why. Qt would
    // still write the changes when the object goes, without the lock, so it hands them over now
    // with nothing written: they stay for the next save of the file in this process.
    const CDateisperre sperre(name, 10000);
    raeume_verwaiste_qt_sperre(name);
    if (sperre.besetzt()) {
        nicht_schreiben = true;
        einstellungen.sync();
        nicht_schreiben = false;
        return QDir::toNativeSeparators(name) + QStringLiteral(": ") + sperre.fehlertext();
    }
    erneuere_stand(name);
    // The status tells little: a QSettings object keeps the first error it met for good, and one
    // of an application without an organisation's name has one from the start. What the write
    // of this sync did tells.
    const QSettings::Status vorher = einstellungen.status();
    einstellungen.sync();
    bool gelungen = letzter_schreibfehler.isEmpty();
    if (gelungen && schreiben_versucht) {
        // Written and committed: the file holds the text now.
        QFile datei(name);
        gelungen = oeffne_regulaere_datei(datei, QIODevice::ReadOnly) && datei.readAll() == letzter_text;
    } else if (gelungen && (vorher == QSettings::NoError) != (einstellungen.status() == QSettings::NoError)) {
        gelungen = false;
    } else if (gelungen) {
        // Nothing was written: either nothing waited, or Qt gave up before the write (a lock
        // file that could not be written, say). The file holds what the object holds, or not.
        gelungen = haelt_stand(einstellungen, name);
    }
    if (gelungen)
        return QString();
    QString grund = letzter_schreibfehler;
    if (grund.isEmpty())
        grund = einstellungen.status() == QSettings::FormatError
                    ? QCoreApplication::translate("Einstellungen", "die Datei ist nicht lesbar")
                    : QCoreApplication::translate("Einstellungen", "die Datei ist nicht schreibbar");
    return QDir::toNativeSeparators(name) + QStringLiteral(": ") + grund;
}

void pruefe_einstellungsorte(const QString& organisation, const QString& anwendung)
{
    // Qt's name for the files of an application without an organisation's name.
    const QString ordner = einstellungsordner()
                           + (organisation.isEmpty() ? QStringLiteral("Unknown Organization") : organisation);
    QStringList dateien(ordner + QStringLiteral(".conf"));
    if (!anwendung.isEmpty())
        dateien.prepend(ordner + QLatin1Char('/') + anwendung + QStringLiteral(".conf"));
    for (const QString& datei : dateien) {
        // Another program of the user's may look at the same names at once: one look at a time
        // (bounded), so that what one moved is not moved again, nor the file it saved since.
        std::optional<CDateisperre> sperre;
        for (const QString& pfad : {datei, datei + QStringLiteral(".lock")}) {
            // Whether nothing there holds the program up. An entry gone meanwhile (moved by a
            // program that took no lock) is looked at again.
            bool frei = false;
            for (int blick = 0; blick < 100 && !(frei = haelt_nicht_an(pfad, pfad != datei)); ++blick) {
                if (!sperre) {
                    sperre.emplace(datei, 2000);
                    continue;
                }
                // Another account's entry is never moved or replaced: where it would not hold the
                // program up (a device at the file's name, say), the writer refuses each save and
                // names it; where it would, the settings go to the private folder below.
                struct stat info;
                const bool fremd = ::lstat(QFile::encodeName(pfad).constData(), &info) == 0 && info.st_uid != ::geteuid();
                if ((frei = fremd && pfad == datei && !S_ISFIFO(info.st_mode)))
                    break;
                const QString neu = fremd ? QString() : lege_weg(pfad);
                if (!neu.isEmpty())
                    melde(QCoreApplication::translate("Einstellungen", "%1 ist keine gewöhnliche Datei des Benutzers und "
                                                                       "hielte das Programm an; sie liegt jetzt unter %2.")
                              .arg(QDir::toNativeSeparators(pfad), QDir::toNativeSeparators(neu)));
                else if (fremd || errno != ENOENT)
                    break;
            }
            if (frei)
                continue;
            // Left where it is: every settings file of the user is kept in a private folder of
            // this run, which goes when the program ends.
            static const QTemporaryDir nur_fuer_diesen_lauf;
            QSettings::setPath(einstellungsformat(), QSettings::UserScope, nur_fuer_diesen_lauf.path());
            melde(QCoreApplication::translate("Einstellungen", "%1 ist keine gewöhnliche Datei des Benutzers und lässt "
                                                               "sich nicht beiseitelegen; die Einstellungen gelten nur "
                                                               "bis zum Ende des Programms.")
                      .arg(QDir::toNativeSeparators(pfad)));
            return;
        }
    }
}

QStringList nimm_beiseite_hinweise()
{
    std::lock_guard<std::mutex> sperre(beiseite().mutex);
    QStringList liste;
    liste.swap(beiseite().hinweise);
    return liste;
}

bool lies_einstellungstext(QIODevice& geraet, QSettings::SettingsMap& werte)
{
    const QByteArray text = geraet.readAll();
    bool heil = true;
    QString gruppe;
    int stelle = 0;
    int anfang = 0;
    int laenge = 0;
    int gleich = -1;
    while (lies_zeile(text, stelle, anfang, laenge, gleich)) {
        if (text.at(anfang) == '[') {
            const int klammer = text.indexOf(']', anfang);
            QByteArray name;
            if (klammer == -1 || klammer >= anfang + laenge) {
                heil = false;
                name = text.mid(anfang + 1, laenge - 1);
            } else {
                name = text.mid(anfang + 1, klammer - anfang - 1);
            }
            name = name.trimmed();
            gruppe.clear();
            // "[General]" holds the keys without group; "[%General]" (in any case) the group of
            // that name, as written.
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                continue;
            if (name.compare("%general", Qt::CaseInsensitive) == 0)
                gruppe = QString::fromLatin1(name.mid(1));
            else
                lies_name(name, 0, name.size(), gruppe);
            gruppe += QLatin1Char('/');
            continue;
        }
        if (gleich == -1) {
            heil = false;
            continue;
        }
        int schluesselende = gleich;
        while (schluesselende > anfang && (text.at(schluesselende - 1) == ' ' || text.at(schluesselende - 1) == '\t'))
            --schluesselende;
        QString schluessel = gruppe;
        lies_name(text, anfang, schluesselende, schluessel);
        QString wert;
        QStringList liste;
        if (lies_wert(text, gleich + 1, anfang + laenge, wert, liste))
            werte.insert(schluessel, als_listenwert(liste, heil));
        else
            werte.insert(schluessel, als_wert(wert, heil));
    }
    return heil;
}

QByteArray einstellungstext(const QSettings::SettingsMap& werte)
{
    // The keys without group first, under "[General]"; then each group in the order of its name.
    QMap<QString, QVector<QSettings::SettingsMap::const_iterator>> gruppen;
    QVector<QSettings::SettingsMap::const_iterator> ohne_gruppe;
    for (auto it = werte.constBegin(); it != werte.constEnd(); ++it) {
        const int strich = it.key().indexOf(QLatin1Char('/'));
        if (strich == -1)
            ohne_gruppe.append(it);
        else
            gruppen[it.key().left(strich)].append(it);
    }
    QByteArray text;
    if (!ohne_gruppe.isEmpty()) {
        text += "[General]\n";
        for (const auto& it : qAsConst(ohne_gruppe))
            schreibe_zeile(it.key(), it.value(), text);
    }
    for (auto gruppe = gruppen.constBegin(); gruppe != gruppen.constEnd(); ++gruppe) {
        if (!text.isEmpty())
            text += '\n';
        QByteArray name;
        schreibe_name(gruppe.key(), name);
        // Qt takes "[General]" for the keys without group and writes every group of that name as
        // "[%General]"; the name after "%" reads back as it stands.
        if (name.compare("general", Qt::CaseInsensitive) == 0)
            name.prepend('%');
        text += '[' + name + "]\n";
        const int laenge = gruppe.key().size() + 1;
        for (const auto& it : gruppe.value())
            schreibe_zeile(it.key().mid(laenge), it.value(), text);
    }
    return text;
}
