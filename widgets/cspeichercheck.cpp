#include "cspeichercheck.h"

CSpeicherCheck::CSpeicherCheck(QWidget* eltern) : QWidget(eltern) {}

CSpeicherCheck::~CSpeicherCheck() = default;

void CSpeicherCheck::SlotToggled(bool aval) { emit toggled(aval); }

void CSpeicherCheck::SlotButton() { emit button_clicked(); }
