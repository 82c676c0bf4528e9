// The browser's settings dialog: shows the stored browser settings, writes them on OK and has them applied.
#pragma once

#include <QDialog>
#include <QHash>
#include <QSet>
#include <QFont>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTextEdit;

// The fields come from the engine first (`loadDefaults`), then from the store
// (`loadFromSettings`). OK writes them all and has the browser apply them anew; Cancel writes
// nothing. The window that opens the dialog is its parent; it names its page through AktuelleSeite.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget* parent = nullptr);

    // The Accept-Language header for `sprachen` in their order: the first as it is, each further
    // one with a falling ";q=" weight.
    static QString acceptLanguage(const QStringList& sprachen);

    QTabWidget* tabWidget;
    QLineEdit* homeLineEdit;
    QPushButton* setHomeToCurrentPageButton;
    QComboBox* expireHistory;
    QLineEdit* downloadsLocation;
    QComboBox* openLinksIn;
    QComboBox* faviconDownloadMode;
    QCheckBox* enableScrollAnimator;
    QLabel* standardLabel;
    QPushButton* standardFontButton;
    QLabel* fixedLabel;
    QPushButton* fixedFontButton;
    QCheckBox* enablePlugins;
    QCheckBox* enableJavascript;
    QComboBox* sessionCookiesCombo;
    QLineEdit* persistentDataPath;
    QGroupBox* proxySupport;
    QComboBox* proxyType;
    QLineEdit* proxyHostName;
    QSpinBox* proxyPort;
    QLineEdit* proxyUserName;
    QLineEdit* proxyPassword;
    QLineEdit* httpUserAgent;
    QLabel* httpAcceptLanguageLabel;
    QLineEdit* httpAcceptLanguage;
    QTextEdit* userStyleSheet;
    QDialogButtonBox* buttonBox;

public slots:
    void accept() override;
    void loadDefaults();
    void loadFromSettings();
    void saveToSettings();
    void setHomeToCurrentPage();
    void chooseFont();
    void chooseFixedFont();
    void on_httpUserAgent_editingFinished();
    void on_httpAcceptLanguage_editingFinished();

private:
    void setupUi();
    // Shows `schrift` as "family size" in `label`.
    static void zeigeSchrift(QLabel* label, const QFont& schrift);
    // The font dialog on `schrift`; a confirmed choice replaces it and is shown in `label`.
    void waehleSchrift(QFont& schrift, QLabel* label);

    // The dialog's values as the store keeps them, by "group/key".
    QList<QPair<QString, QVariant>> werte() const;

    QFont standardFont;
    QFont fixedFont;
    // The values as loaded, and the keys the store held then: OK writes only what the user
    // changed (or what the store lacked), so that what another browser saved in the meantime stays.
    QHash<QString, QVariant> geladen;
    QSet<QString> vorhanden;
};
