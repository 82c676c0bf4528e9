// The uninstall information: the program-wide map of installed paths and its file "uninstall.dat".
#pragma once

#include "czeit.h"

#include <QString>
#include <map>

// Recorded path (relative to the installation folder, "/" as separator, folders ending in "/")
// -> time of installation; ordered by plain QString comparison.
using CUninstallMap = std::map<QString, CZeitVDN>;
CUninstallMap& unistall_map();

// Sets the map entry of the path to the time (inserts or overwrites).
void ergaenze_unistall(const QString& pfad, const CZeitVDN& zeit);

// Loads the map from "uninstall.dat" when built and writes it back when destroyed.
class CUninstallInfo
{
public:
    // The file in the installation folder (`gib_zielverzeichnis`).
    CUninstallInfo();
    // The file in the given folder.
    explicit CUninstallInfo(const QString& verzeichnis);
    ~CUninstallInfo();
    CUninstallInfo(const CUninstallInfo&) = delete;
    CUninstallInfo& operator=(const CUninstallInfo&) = delete;

    // Adds every valid line of the file to the map; a missing file changes nothing.
    void lies_unistall();
    // Replaces the file atomically when the map is not empty; false when it cannot be written
    // (reported). An empty map writes nothing and leaves an existing file as it is.
    bool schreibe_unistall();
    // Empties the map and deletes the file.
    void remove_unistall();

    const QString& gib_dateiname() const { return dateiname; }

private:
    QString dateiname;
};

// The text of one record line as written to the file, without line end.
QString uninstall_zeile(const QString& pfad, const CZeitVDN& zeit);
