// The site and proxy login forms: escaped intro texts, the typed answer, and a refusal that empties the authenticator.
#include "anmeldedialoge.h"

#include <QApplication>
#include <QAuthenticator>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the next modal form with `antwort` once it shows.
void beantworte(const std::function<void(QDialog&)>& antwort)
{
    QTimer::singleShot(0, [antwort] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        antwort(*dialog);
    });
}

} // namespace

TEST(Anmeldedialoge, EscapedDieTexteUndUebernimmtOderLeertDieAnmeldung)
{
    QAuthenticator anmeldung;
    anmeldung.setRealm(QStringLiteral("<b>Reich</b>"));
    QString intro;
    beantworte([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("PasswordDialog"));
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Authentifikation erforderlich"));
        intro = d.findChild<QLabel*>(QStringLiteral("introLabel"))->text();
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("passwordLineEdit"))->echoMode(), QLineEdit::Password);
        d.findChild<QLineEdit*>(QStringLiteral("userNameLineEdit"))->setText(QStringLiteral("anna"));
        d.findChild<QLineEdit*>(QStringLiteral("passwordLineEdit"))->setText(QStringLiteral("geheim"));
        d.accept();
    });
    EXPECT_TRUE(frage_anmeldung(nullptr, QStringLiteral("<qt>Enter username and password for \"%1\" at %2</qt>"),
                                QUrl(QStringLiteral("http://h.example/a?x=1&y=2")), &anmeldung));
    EXPECT_EQ(intro, QStringLiteral("<qt>Enter username and password for \"&lt;b&gt;Reich&lt;/b&gt;\" at "
                                    "http://h.example/a?x=1&amp;y=2</qt>"));
    EXPECT_EQ(anmeldung.user(), QStringLiteral("anna"));
    EXPECT_EQ(anmeldung.password(), QStringLiteral("geheim"));

    beantworte([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), QStringLiteral("ProxyDialog"));
        intro = d.findChild<QLabel*>(QStringLiteral("introLabel"))->text();
        d.findChild<QLineEdit*>(QStringLiteral("userNameLineEdit"))->setText(QStringLiteral("bert"));
        d.reject();
    });
    EXPECT_FALSE(frage_proxyanmeldung(nullptr, QStringLiteral("<qt>Connect to proxy \"%1\" using:</qt>"),
                                      QStringLiteral("p&<x>"), &anmeldung));
    EXPECT_EQ(intro, QStringLiteral("<qt>Connect to proxy \"p&amp;&lt;x&gt;\" using:</qt>"));
    EXPECT_TRUE(anmeldung.isNull());
    EXPECT_TRUE(anmeldung.user().isEmpty());
}
