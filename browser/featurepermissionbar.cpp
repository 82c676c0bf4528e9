#include "featurepermissionbar.h"
#include "bedienhilfe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QWebEngineView>

namespace {

constexpr int hoehe = 30;

} // namespace

FeaturePermissionBar::FeaturePermissionBar(QWebEngineView* view)
    : QWidget(view), m_messageLabel(new QLabel(this))
{
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(hoehe, 0, 0, 0);
    layout->addWidget(m_messageLabel);
    layout->addStretch();
    auto* deny = new QPushButton(tr("Deny"), this);
    auto* allow = new QPushButton(tr("Allow"), this);
    auto* close = new QPushButton(QIcon(QStringLiteral(":closetab.png")), QString(), this);
    setze_tipp_und_namen(close, tr("Close"));
    layout->addWidget(deny);
    layout->addWidget(allow);
    layout->addWidget(close);
    connect(allow, &QPushButton::clicked, this, &FeaturePermissionBar::permissionGranted);
    connect(deny, &QPushButton::clicked, this, &FeaturePermissionBar::permissionDenied);
    connect(close, &QPushButton::clicked, this, &FeaturePermissionBar::permissionUnknown);
    for (QPushButton* knopf : {deny, allow, close}) {
        connect(knopf, &QPushButton::clicked, this, &QObject::deleteLater);
        // Never Return's button: in a dialog, one focused once would stay its default, and a
        // Return the page leaves unhandled would answer the question. Space presses it.
        knopf->setAutoDefault(false);
    }
    setGeometry(0, -hoehe, view->width(), hoehe);
}

QString FeaturePermissionBar::phrase(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::Notifications:
        return QObject::tr("use desktop notifications");
    case QWebEnginePage::Geolocation:
        return QObject::tr("use your position");
    case QWebEnginePage::MediaAudioCapture:
        return QObject::tr("use your microphone");
    case QWebEnginePage::MediaVideoCapture:
        return QObject::tr("use your camera");
    case QWebEnginePage::MediaAudioVideoCapture:
        return QObject::tr("use your camera and microphone");
    case QWebEnginePage::MouseLock:
        return QObject::tr("lock your mouse");
    // Without their own phrases the question would read "h wants to .".
    case QWebEnginePage::DesktopVideoCapture:
        return QObject::tr("capture your screen");
    case QWebEnginePage::DesktopAudioVideoCapture:
        return QObject::tr("capture your screen and audio");
    }
    return QString();
}

void FeaturePermissionBar::requestPermission(const QUrl& securityOrigin, QWebEnginePage::Feature feature)
{
    m_securityOrigin = securityOrigin;
    m_feature = feature;
    m_messageLabel->setText(tr("%1 wants to %2.").arg(securityOrigin.host(), phrase(feature)));
    show();
    auto* animation = new QPropertyAnimation(this, QByteArrayLiteral("pos"), this);
    animation->setDuration(300);
    animation->setStartValue(pos());
    animation->setEndValue(QPoint(0, 0));
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void FeaturePermissionBar::permissionDenied()
{
    emit featurePermissionProvided(m_securityOrigin, m_feature, QWebEnginePage::PermissionDeniedByUser);
}

void FeaturePermissionBar::permissionGranted()
{
    emit featurePermissionProvided(m_securityOrigin, m_feature, QWebEnginePage::PermissionGrantedByUser);
}

void FeaturePermissionBar::permissionUnknown()
{
    emit featurePermissionProvided(m_securityOrigin, m_feature, QWebEnginePage::PermissionUnknown);
}
