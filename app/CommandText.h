#pragma once

#include <QString>

// A command's string holds its status-bar prompt and, after a line feed, its tool tip.
QString CommandPrompt(int id);
QString CommandToolTip(int id);
