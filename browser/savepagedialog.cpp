#include "savepagedialog.h"
#include "dialogseam.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The combo box's rows, in order.
const QWebEngineDownloadItem::SavePageFormat formate[] = {QWebEngineDownloadItem::SingleHtmlSaveFormat,
                                                          QWebEngineDownloadItem::CompleteHtmlSaveFormat,
                                                          QWebEngineDownloadItem::MimeHtmlSaveFormat};

QString endung(QWebEngineDownloadItem::SavePageFormat format)
{
    return format == QWebEngineDownloadItem::MimeHtmlSaveFormat ? QStringLiteral(".mhtml") : QStringLiteral(".html");
}

} // namespace

SavePageDialog::SavePageDialog(QWidget* parent, QWebEngineDownloadItem::SavePageFormat format, const QString& filePath)
    : QDialog(parent)
{
    setupUi();
    for (int i = 0; i < 3; ++i)
        if (formate[i] == format)
            formatComboBox->setCurrentIndex(i);
    setFilePath(filePath);
}

void SavePageDialog::setupUi()
{
    setObjectName(QStringLiteral("SavePageDialog"));
    resize(400, 121);
    auto* verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    auto* gridLayout = new QGridLayout();
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    label = new QLabel(this);
    label->setObjectName(QStringLiteral("label"));
    gridLayout->addWidget(label, 0, 0);
    formatComboBox = new QComboBox(this);
    formatComboBox->setObjectName(QStringLiteral("formatComboBox"));
    formatComboBox->addItem(tr("Single HTML"));
    formatComboBox->addItem(tr("Complete HTML"));
    formatComboBox->addItem(tr("MIME HTML"));
    gridLayout->addWidget(formatComboBox, 0, 1);
    label_2 = new QLabel(this);
    label_2->setObjectName(QStringLiteral("label_2"));
    gridLayout->addWidget(label_2, 1, 0);
    auto* horizontalLayout = new QHBoxLayout();
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    filePathLineEdit = new QLineEdit(this);
    filePathLineEdit->setObjectName(QStringLiteral("filePathLineEdit"));
    horizontalLayout->addWidget(filePathLineEdit);
    chooseFilePathButton = new QToolButton(this);
    chooseFilePathButton->setObjectName(QStringLiteral("chooseFilePathButton"));
    horizontalLayout->addWidget(chooseFilePathButton);
    gridLayout->addLayout(horizontalLayout, 1, 1);
    verticalLayout->addLayout(gridLayout);
    buttonBox = new QDialogButtonBox(this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Cancel | QDialogButtonBox::Ok);
    verticalLayout->addWidget(buttonBox);
    label->setBuddy(formatComboBox);
    label_2->setBuddy(filePathLineEdit);
    setTabOrder(formatComboBox, filePathLineEdit);
    setTabOrder(filePathLineEdit, chooseFilePathButton);

    setWindowTitle(tr("Dialog"));
    label->setText(tr("&Format:"));
    label_2->setText(tr("&Save to:"));
    chooseFilePathButton->setText(tr("..."));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    QMetaObject::connectSlotsByName(this);
}

QWebEngineDownloadItem::SavePageFormat SavePageDialog::pageFormat() const
{
    const int row = formatComboBox->currentIndex();
    return row >= 0 && row < 3 ? formate[row] : QWebEngineDownloadItem::UnknownSaveFormat;
}

QString SavePageDialog::filePath() const
{
    return QDir::fromNativeSeparators(filePathLineEdit->text());
}

void SavePageDialog::setFilePath(const QString& filePath)
{
    filePathLineEdit->setText(QDir::toNativeSeparators(filePath));
}

void SavePageDialog::on_chooseFilePathButton_clicked()
{
    const QFileInfo fi(filePath());
    // Gone with its window while the file dialog was open: nothing to set.
    const QPointer<SavePageDialog> selbst(this);
    const QString gewaehlt = frage_dateiname_speichern(this, tr("Save Page As"), fi.absoluteFilePath(), QString(), {});
    if (gewaehlt.isEmpty() || !selbst)
        return;
    setFilePath(gewaehlt);
    passeEndungAn();
}

void SavePageDialog::on_formatComboBox_currentIndexChanged(int)
{
    passeEndungAn();
}

void SavePageDialog::passeEndungAn()
{
    const QFileInfo fi(filePath());
    setFilePath(fi.absolutePath() + QLatin1Char('/') + fi.completeBaseName() + endung(pageFormat()));
}

bool SavePageDialog::frage(QWidget* parent, QWebEngineDownloadItem* item)
{
    auto* dialog =
        new SavePageDialog(parent, item->savePageFormat(), QDir(item->downloadDirectory()).filePath(item->downloadFileName()));
    QWebEngineDownloadItem::SavePageFormat format = item->savePageFormat();
    QString pfad;
    if (fuehre_dialog_aus(dialog, [&] {
            format = dialog->pageFormat();
            pfad = dialog->filePath();
        }) != QDialog::Accepted)
        return false;
    item->setSavePageFormat(format);
    const QFileInfo ziel(pfad);
    item->setDownloadDirectory(ziel.absolutePath());
    item->setDownloadFileName(ziel.fileName());
    return true;
}
