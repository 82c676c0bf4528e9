// The bar that slides over a web view to ask whether a site may use a feature of the machine.
#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <QWidget>

class QLabel;
class QWebEngineView;

// Created hidden just above the view, it deletes itself after the first answer.
class FeaturePermissionBar : public QWidget
{
    Q_OBJECT
public:
    explicit FeaturePermissionBar(QWebEngineView* view);

    // Shows the question "<host> wants to <feature>." and slides the bar in.
    void requestPermission(const QUrl& securityOrigin, QWebEnginePage::Feature feature);
    // The question's phrase for a feature; empty for one not known.
    static QString phrase(QWebEnginePage::Feature feature);

signals:
    void featurePermissionProvided(const QUrl& securityOrigin, QWebEnginePage::Feature feature,
                                   QWebEnginePage::PermissionPolicy policy);

private slots:
    void permissionDenied();
    void permissionGranted();
    void permissionUnknown();

private:
    QWebEnginePage::Feature m_feature = QWebEnginePage::Notifications;
    QLabel* m_messageLabel;
    QUrl m_securityOrigin;
};
