#include "cspeicherlabel.h"

CSpeicherLabel::CSpeicherLabel(QWidget* eltern) : QWidget(eltern) {}

CSpeicherLabel::~CSpeicherLabel() = default;

void CSpeicherLabel::SlotButton() { emit clicked(); }
