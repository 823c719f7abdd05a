#pragma once
#include <QString>

namespace settings_panel {

// The output rate's unit: a negative rate is seconds per sample.
inline QString OutRateUnit(int rate)
{
    return rate < 0 ? QStringLiteral("s/samples") : QStringLiteral("samples/s");
}

} // namespace settings_panel
