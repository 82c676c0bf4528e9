#include "caction.h"

CAction::CAction(QObject* eltern) : QAction(eltern) {}

CAction::~CAction() = default;
