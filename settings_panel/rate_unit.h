#pragma once
#include <QCoreApplication>
#include <QString>

namespace settings_panel {

// The output rate's unit: a negative rate is seconds per sample.
inline QString OutRateUnit(int rate)
{
    return rate < 0 ? QCoreApplication::translate("settings_panel::OutRateUnit", "s/samples")
                    : QCoreApplication::translate("settings_panel::OutRateUnit", "samples/s");
}

} // namespace settings_panel
