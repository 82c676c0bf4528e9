// The browser's settings dialog (placeholder until it is built: an empty dialog).
#pragma once

#include <QDialog>

class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget* parent = nullptr);
};
