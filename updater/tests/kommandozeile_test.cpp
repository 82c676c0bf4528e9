// The argument loop: keywords, values after "install" and "dst", and the options that end the program.
#include "kommandozeile.h"
#include "wortbreite.h"

#include <gtest/gtest.h>

namespace {

CKommandozeile lies(std::initializer_list<const char*> argumente)
{
    QStringList liste{"/usr/bin/aktualisierer"};
    for (const char* a : argumente)
        liste << QString::fromUtf8(a);
    return lies_kommandozeile(liste);
}

bool ist_64() { return true; }
bool ist_32() { return false; }

} // namespace

TEST(Kommandozeile, OhneArgumente)
{
    const CKommandozeile k = lies({});
    EXPECT_EQ(k.modus, 0);
    EXPECT_EQ(k.archiv, "update.zip");
    EXPECT_TRUE(k.quelle.isEmpty());
    EXPECT_TRUE(k.ziel.isEmpty());
    EXPECT_FALSE(k.silent || k.dbx || k.en);
    EXPECT_EQ(k.konsolen, 0);
    EXPECT_EQ(k.ende, CKommandozeile::Ende::Normal);
}

TEST(Kommandozeile, SilentInstallMitAbsolutemZiel)
{
    const CKommandozeile k = lies({"-silent", "-install", "a.zip", "-dst", "/opt/x"});
    EXPECT_EQ(k.modus, 1);
    EXPECT_TRUE(k.silent);
    EXPECT_EQ(k.archiv, "a.zip");
    EXPECT_TRUE(k.quelle.isEmpty());
    EXPECT_EQ(k.ziel, "/opt/x");
}

TEST(Kommandozeile, QuellverzeichnisNurWennEsKeineOptionIst)
{
    CKommandozeile k = lies({"/install", "a.zip", "/srv/quelle", "/silent"});
    EXPECT_EQ(k.archiv, "a.zip");
    EXPECT_EQ(k.quelle, "/srv/quelle");
    EXPECT_TRUE(k.silent);

    k = lies({"/install", "a.zip", "/silent"});
    EXPECT_TRUE(k.quelle.isEmpty());
    EXPECT_TRUE(k.silent);
    k = lies({"/install", "a.zip", "-SILENT"});
    EXPECT_TRUE(k.quelle.isEmpty());
    EXPECT_TRUE(k.silent);

    // An option is no archive either: the default stays.
    k = lies({"-install", "-silent", "-dst", "-en"});
    EXPECT_EQ(k.archiv, "update.zip");
    EXPECT_TRUE(k.ziel.isEmpty());
    EXPECT_TRUE(k.en);

    k = lies({"-install"});
    EXPECT_EQ(k.modus, 1);
    EXPECT_EQ(k.archiv, "update.zip");
}

TEST(Kommandozeile, SchluesselwoerterBrauchenPraefixUndIgnorierenGrossschreibung)
{
    CKommandozeile k = lies({"install", "silent", "uninstall", "-", "/"});
    EXPECT_EQ(k.modus, 0);
    EXPECT_FALSE(k.silent);
    k = lies({"-INSTALL", "X.ZIP", "/Dbx", "-En", "-unbekannt"});
    EXPECT_EQ(k.modus, 1);
    EXPECT_EQ(k.archiv, "X.ZIP");
    EXPECT_TRUE(k.dbx);
    EXPECT_TRUE(k.en);
    // The last of install and uninstall wins.
    EXPECT_EQ(lies({"-install", "a.zip", "-uninstall"}).modus, 2);
    EXPECT_EQ(lies({"-uninstall", "-install"}).modus, 1);
    EXPECT_EQ(lies({"-cons", "x", "-cons"}).konsolen, 2);
}

TEST(Kommandozeile, RegistrierungUndVersionBeendenDieSchleife)
{
    CKommandozeile k = lies({"-cons", "/regserver", "-install"});
    EXPECT_EQ(k.ende, CKommandozeile::Ende::Registrierung);
    EXPECT_EQ(k.registrierung, "/regserver");
    EXPECT_EQ(k.konsolen, 1);
    EXPECT_EQ(k.modus, 0);
    EXPECT_EQ(lies({"/UnRegServer"}).registrierung, "/UnRegServer");
    // Only with "/".
    EXPECT_EQ(lies({"-regserver"}).ende, CKommandozeile::Ende::Normal);

    k = lies({"-version", "-cons", "/regserver"});
    EXPECT_EQ(k.ende, CKommandozeile::Ende::Version);
    EXPECT_EQ(k.konsolen, 0);
    // A value is examined in its turn: a "dst" folder that reads "/version" ends the loop too.
    EXPECT_EQ(lies({"-dst", "/version"}).ende, CKommandozeile::Ende::Version);
}

TEST(Kommandozeile, EigeneOptionen)
{
    for (const char* ja : {"-install", "/SILENT", "-dst", "/regserver", "-version", "-en"})
        EXPECT_TRUE(ist_eigene_option(ja)) << ja;
    for (const char* nein : {"/opt/x", "-", "/", "install", "-installieren", "/tmp", ""})
        EXPECT_FALSE(ist_eigene_option(nein)) << nein;
}

TEST(Kommandozeile, Versionstext)
{
    setze_wortbreiten_abfrage(ist_64);
    EXPECT_EQ(gib_versionstext(), "UPDATER Version 5.9.3.7 vom 09.02.18 64Bit");
    setze_wortbreiten_abfrage(ist_32);
    EXPECT_EQ(gib_versionstext(), "UPDATER Version 5.9.3.7 vom 09.02.18");
    setze_wortbreiten_abfrage(nullptr);
}
