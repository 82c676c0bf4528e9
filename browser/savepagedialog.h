// Asks for the format and the file when the engine wants to save a page; writes nothing itself.
#pragma once

#include <QDialog>
#include <QWebEngineDownloadItem>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QToolButton;

class SavePageDialog : public QDialog
{
    Q_OBJECT
public:
    // `format` is one of single HTML, complete HTML and MIME HTML.
    SavePageDialog(QWidget* parent, QWebEngineDownloadItem::SavePageFormat format, const QString& filePath);

    QWebEngineDownloadItem::SavePageFormat pageFormat() const;
    QString filePath() const;

    // Asks, modal over `parent`, for the format and the file of the page save `item` and gives
    // them to it: true when accepted; false when cancelled or gone with `parent` meanwhile.
    static bool frage(QWidget* parent, QWebEngineDownloadItem* item);

    QLabel* label;
    QComboBox* formatComboBox;
    QLabel* label_2;
    QLineEdit* filePathLineEdit;
    QToolButton* chooseFilePathButton;
    QDialogButtonBox* buttonBox;

private slots:
    void on_chooseFilePathButton_clicked();
    void on_formatComboBox_currentIndexChanged(int index);

private:
    void setupUi();
    void setFilePath(const QString& filePath);
    // Replaces the path's last suffix by the one of the chosen format.
    void passeEndungAn();
};
