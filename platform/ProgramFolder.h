#pragma once

#include <QString>

// The folder that holds the help files, the cursor/ folder and Display.ini, ending in '/'.
// In order: the folder named by the environment variable QELT32_DATA_DIR; the folder of the
// running executable when it holds a cursor/ folder (a build tree, or a copied install);
// the data folder of the installed tree the executable lies in (<prefix>/share/qelt32 for
// <prefix>/bin); the data folder of the prefix the program was built for.
QString ProgramFolder();

// The same choice for an executable in `executableFolder`.
QString ProgramFolderFor(const QString& executableFolder);
