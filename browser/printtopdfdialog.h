// Asks for the PDF file and the page layout before a page is printed to PDF; writes nothing itself.
#pragma once

#include <QDialog>
#include <QPageLayout>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QToolButton;

class PrintToPdfDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PrintToPdfDialog(const QString& filePath, QWidget* parent = nullptr);

    QString filePath() const;
    QPageLayout pageLayout() const { return currentPageLayout; }

    QLabel* filePathLabel;
    QLineEdit* filePathLineEdit;
    QToolButton* chooseFilePathButton;
    QLabel* layoutLabel;
    QLabel* pageLayoutLabel;
    QToolButton* choosePageLayoutButton;
    QDialogButtonBox* buttonBox;

private slots:
    void onChoosePageLayoutButtonClicked();
    void onChooseFilePathButtonClicked();

private:
    void setupUi();
    void updatePageLayoutLabel();

    // A4, portrait, no margins, in points.
    QPageLayout currentPageLayout;
};

// Writes the PDF data of a finished print to the chosen file, replacing it only when all is
// written; empty data or a target that cannot be written leave the old file and no message, as
// the browser windows have it (the cause goes to the log).
void schreibe_pdf_daten(const QString& pfad, const QByteArray& daten);
