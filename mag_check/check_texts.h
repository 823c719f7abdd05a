#pragma once
#include "mag_check/calibration_check.h"

#include <QString>
#include <vector>

namespace mag_check {

struct Reading {
    QString name;   // objectName of its label
    QString caption;
    QString value;
};

// The numbers of a check, in the user's number format, with as many
// decimals as the size of the field calls for.
std::vector<Reading> readingsOf(const CheckResult &result, int capacity);
QString verdictText(Verdict verdict);
// Why the verdict is what it is, and what to do next.
QString findingText(const CheckResult &result);
// Which way to turn the module for the directions not yet seen; empty when all are.
QString turnHint(const CheckResult &result);
// The limits the verdict rests on.
QString limitsText();

} // namespace mag_check
