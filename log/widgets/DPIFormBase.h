#pragma once
// The base of the logbook's resizable dialogs that follow the screen's scale.
#include <QDialog>

using TDPIFormBase = QDialog;
