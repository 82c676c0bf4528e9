// A web page that puts every navigation of its frames to a guide before the engine follows it.
#pragma once

#include <QWebEnginePage>

#include <functional>

class QWebEngineSettings;

class WegweiserSeite : public QWebEnginePage
{
    Q_OBJECT
public:
    // Decides whether the engine follows a navigation: (address, kind, main frame or not).
    using Wegweiser = std::function<bool(const QUrl& adresse, NavigationType art, bool hauptrahmen)>;

    // On `profil`, a child of `eltern`. Addresses of schemes the engine does not load itself are
    // put to the guide too, clicked or not (without it they would go to the desktop once
    // accepted). Without a guide every navigation is refused. The page keeps to
    // `sperre_lokale_zugriffe`.
    WegweiserSeite(QWebEngineProfile* profil, Wegweiser wegweiser, QObject* eltern);
    // The same on the default profile.
    WegweiserSeite(Wegweiser wegweiser, QObject* eltern);

    // True for the schemes the engine loads itself ("http", "https", "file", "data", "about",
    // "blob", "qrc"); an address of any other would be handed to the desktop.
    static bool laedt_selbst(const QUrl& adresse);

    // What every page of the program keeps to, of a profile or of its own: a page from a local
    // file reads no other local file by script (all local files would otherwise share one
    // origin, and whatever a saved page read could go to any server by a plain navigation), nor
    // reads remote addresses past the rules of their origin.
    static void sperre_lokale_zugriffe(QWebEngineSettings* einstellungen);
    // The files of a profile that keeps them on disk are the user's alone, as the engine makes
    // its folders and almost every file, but not "Visited Links" (the addresses the user
    // visited), which it makes by the process's umask and later writes keeping the mode. Done
    // once a process for each folder of a profile, before a page of it loads (every page of the
    // program is made so): the folders made where missing, that file made empty where missing,
    // every file of the user's there made private.
    static void halte_profil_privat(const QWebEngineProfile* profil);
    // Whether a page of the program was made on `profil`. From then on the profile's folders stay
    // as they are for the rest of the process: the engine ends when they change under a page.
    static bool hat_seiten(const QWebEngineProfile* profil);

protected:
    bool acceptNavigationRequest(const QUrl& adresse, NavigationType art, bool hauptrahmen) override;

private:
    Wegweiser wegweiser;
};
