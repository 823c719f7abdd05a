#pragma once
#include "mag_check/calibration_check.h"

#include <QJsonObject>

namespace compass_ctl {

// The calibration check's readings and verdict as "check" prints them.
QJsonObject CheckJson(const mag_check::CheckResult &result);

// The exit status for a verdict: 0 Good, 1 Recalibrate, 6 no verdict yet.
int CheckExitStatus(const mag_check::CheckResult &result);

} // namespace compass_ctl
