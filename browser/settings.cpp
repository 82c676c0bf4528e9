#include "settings.h"

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent) {}
