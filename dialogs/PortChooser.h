#pragma once

#include <QString>

class QWidget;

// Lets the user pick the monitor's serial device from the adapters present (stable names,
// with maker and model). The chosen path, or an empty string when the user cancelled or
// no adapter is there (which it says).
QString ChoosePort(QWidget* parent);
