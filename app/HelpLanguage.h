#pragma once

#include <QLocale>
#include <QString>

// The help file of the user's language: "qelt32j.hlp" for Japanese, "qelt32f.hlp" for
// French, "qelt32g.hlp" for German and "qelt32e.hlp" for every other language, whatever
// the country (Swiss French reads the French one).
QString HelpFileName(const QLocale& locale);
