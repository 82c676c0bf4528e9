// The folder of one mail's hand-off: made new in the working folder, marked as the mail's, locked while the mail or a program started on it may use it, and what mails of gone processes left removed.
#pragma once

#include <QString>

#include <memory>

// A folder ".mail_XXXXXX" of the mail's own, readable by its owner only, that holds the mail's
// mark from the start. Its lock (flock on the folder) is held by this object and by every program
// given `sperre_fuer_programm`, and by what those programs start: no other mail, in this process
// or another, empties the folder while any of them lives. What a mail left behind when its
// process was killed, or when its mail-client bridge ended after the mail was gone, is a marked
// folder that nothing holds: the next mail in the same working folder removes what was put there
// (files and links) and then the folder. A folder of that shape without its own mark (a user's
// ".mail_backup", a copy of a mail's folder or one renamed: the mark names the folder by device,
// inode and name), a link, anything of another user's, and a folder inside are left alone (the
// last with the folder around it). GUI thread only.
class CMailordner
{
public:
    // Removes what earlier mails left in `arbeitsverzeichnis`, then makes and locks the new folder;
    // `ist_gueltig` tells whether it could, `gib_fehlertext` why not.
    explicit CMailordner(const QString& arbeitsverzeichnis);
    // Removes the folder with the files and links it holds, unless `behalten` was called; the
    // lock goes either way.
    ~CMailordner();
    CMailordner(const CMailordner&) = delete;
    CMailordner& operator=(const CMailordner&) = delete;

    bool ist_gueltig() const;
    QString gib_fehlertext() const;
    // The path of `name` in the folder.
    QString datei(const QString& name) const;
    // A descriptor of its own holding the folder's lock, for a program started on the folder to
    // inherit; closed once the last holder lets it go. Null when there is no lock.
    std::shared_ptr<const int> sperre_fuer_programm() const;
    // The folder stays when this object goes: a program started on it still reads it.
    void behalten();

private:
    QString pfad;
    // The folder, opened once; it holds the lock where the file system has locks.
    int ordner = -1;
    bool gesperrt = false;
    bool bleibt = false;
    QString fehler;
};
