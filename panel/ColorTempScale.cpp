#include "panel/ColorTempScale.h"

namespace {
const char* const kRevisionBTexts[7] = {"6500K", "7000K", "7500K", "8000K",
                                        "8500K", "9000K", "9300K"};
}

CColorTempScale::CColorTempScale(bool revisionB) : m_bRevisionB(revisionB) {}

QString CColorTempScale::Text(int step) const {
    const int fitted = Fit(step);
    if (m_bRevisionB)
        return QString::fromLatin1(kRevisionBTexts[fitted]);
    return QString::number(4000 + 100 * fitted) + QLatin1Char('K');
}
