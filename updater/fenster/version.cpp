#include "version.h"
#include "bedienhilfe.h"
#include "bilder.h"
#include "ci18n.h"
#include "plattform.h"

#include <QCoreApplication>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

QString uebersetzt(const char* text)
{
    return QString::fromStdString(uebersetze_(CString(text), CString("")).gib_string());
}

} // namespace

void versionBase::setupUi(QDialog* dialog)
{
    dialog->setObjectName(QStringLiteral("versionBase"));
    dialog->resize(500, 200);
    dialog->setMinimumSize(500, 200);
    dialog->setMaximumSize(500, 200);
    dialog->setSizeGripEnabled(false);

    gridLayout = new QGridLayout(dialog);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(6);
    gridLayout->setContentsMargins(11, 11, 11, 11);

    PixmapLabel = new QLabel(dialog);
    PixmapLabel->setObjectName(QStringLiteral("PixmapLabel"));
    PixmapLabel->setScaledContents(true);
    // Square, so that the scaled logo keeps its shape.
    PixmapLabel->setFixedSize(80, 80);
    gridLayout->addWidget(PixmapLabel, 0, 0, 4, 1, Qt::AlignTop);

    horizontalLayout = new QHBoxLayout();
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(6);
    TextLabel1 = new QLabel(dialog);
    TextLabel1->setObjectName(QStringLiteral("TextLabel1"));
    QFont gross;
    gross.setPointSize(12);
    gross.setBold(true);
    TextLabel1->setFont(gross);
    TextLabel1->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
    horizontalLayout->addWidget(TextLabel1);
    horizontalLayout->addItem(new QSpacerItem(145, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    OKbut = new QPushButton(dialog);
    OKbut->setObjectName(QStringLiteral("OKbut"));
    horizontalLayout->addWidget(OKbut);
    gridLayout->addLayout(horizontalLayout, 0, 1, 1, 2);

    verticalLayout = new QVBoxLayout();
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(6);
    lDemoVersion = new QLabel(dialog);
    lDemoVersion->setObjectName(QStringLiteral("lDemoVersion"));
    QFont fett;
    fett.setBold(true);
    lDemoVersion->setFont(fett);
    verticalLayout->addWidget(lDemoVersion);
    lohneDB = new QLabel(dialog);
    lohneDB->setObjectName(QStringLiteral("lohneDB"));
    verticalLayout->addWidget(lohneDB);
    gridLayout->addLayout(verticalLayout, 1, 1, 1, 2);

    gridLayout->addItem(new QSpacerItem(20, 68, QSizePolicy::Minimum, QSizePolicy::Expanding), 2, 1);

    verticalLayout_2 = new QVBoxLayout();
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    TextLabel2 = new QLabel(dialog);
    TextLabel2->setObjectName(QStringLiteral("TextLabel2"));
    verticalLayout_2->addWidget(TextLabel2);
    TextLabel3 = new QLabel(dialog);
    TextLabel3->setObjectName(QStringLiteral("TextLabel3"));
    verticalLayout_2->addWidget(TextLabel3);
    gridLayout->addLayout(verticalLayout_2, 3, 1);

    retranslateUi(dialog);
    QObject::connect(OKbut, &QPushButton::clicked, dialog, &QDialog::close);
    QMetaObject::connectSlotsByName(dialog);
}

void versionBase::retranslateUi(QDialog* dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("versionBase", "Updater"));
    dialog->setWindowIconText(QCoreApplication::translate("versionBase", "Updater"));
    TextLabel1->setText(QCoreApplication::translate("versionBase", "TextLabel1"));
    OKbut->setText(QCoreApplication::translate("versionBase", "Ok"));
    lDemoVersion->setText(QCoreApplication::translate("versionBase", "Anwendung"));
    lohneDB->setText(QCoreApplication::translate("versionBase", "Herkunft"));
    TextLabel2->setText(QCoreApplication::translate("versionBase", "TextLabel2"));
    TextLabel3->setText(QCoreApplication::translate("versionBase", "TextLabel3"));
}

version::version(QWidget* eltern, Qt::WindowFlags flags) : QDialog(eltern, flags)
{
    formular.setupUi(this);
    setWindowTitle(QStringLiteral("Aktualisierer"));
    formular.PixmapLabel->setPixmap(gib_logo_pixmap());
    formular.TextLabel1->setText(QStringLiteral("UPDATER"));
    formular.lDemoVersion->setText(uebersetzt(QT_TRANSLATE_NOOP("QObject", "Aktualisieren einer Anwendung")));
    formular.lohneDB->setText(uebersetzt(QT_TRANSLATE_NOOP("QObject", "aus ZIP-Archiv")));
    QString zeile = uebersetzt(QT_TRANSLATE_NOOP("QObject", "Version")) + QStringLiteral(" 5.9.3.7");
    if (ist_64bit_system())
        zeile += QStringLiteral(" 64Bit");
    zeile += QLatin1Char(' ') + uebersetzt(QT_TRANSLATE_NOOP("QObject", "vom")) + QStringLiteral(" 09.02.18");
    formular.TextLabel2->setText(zeile);
    formular.TextLabel3->setText(
        QStringLiteral("\u00a9 2015-%1 Quorbel GmbH").arg(QDate::currentDate().year()));
    // The fixed size is pixels at 96 dpi: should a text need more, it gets it.
    gib_platz_fuer_text(this);
}
