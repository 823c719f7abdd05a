#include "mag_check/check_texts.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <array>
#include <functional>
#include <cmath>

namespace mag_check {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("mag_check", text);
}

QString number(double value, int decimals)
{
    // Nothing that rounds to zero shows a minus sign.
    const double rounded = std::round(value * std::pow(10, decimals)) == 0 ? 0 : value;
    return QLocale().toString(rounded, 'f', decimals);
}

QString percent(double value)
{
    return number(value, 1) + QStringLiteral(" %");
}

QString degrees(double value)
{
    return number(value, 1) + QStringLiteral("°");
}

// Four significant digits at the size of the field: 234.5, 51.25, 0.5125.
int decimalsFor(double fieldSize)
{
    if (!(fieldSize > 0) || !std::isfinite(fieldSize))
        return 1;
    return std::clamp(3 - static_cast<int>(std::floor(std::log10(fieldSize))), 0, 6);
}

QString axisName(const Eigen::Vector3d &axis)
{
    Eigen::Index index = 0;
    axis.cwiseAbs().maxCoeff(&index);
    const QString sign = axis(index) < 0 ? QStringLiteral("−") : QStringLiteral("+");
    return sign + QStringLiteral("XYZ").at(index);
}

} // namespace

std::vector<Reading> readingsOf(const CheckResult &result, int capacity)
{
    const int d = decimalsFor(result.before.mean);
    const QString noFit = tr("no fit yet");
    std::vector<Reading> readings;
    readings.push_back({QStringLiteral("lblPoints"), tr("Points"),
                        tr("%1 of at most %2").arg(result.points).arg(capacity)});
    readings.push_back({QStringLiteral("lblCoverage"), tr("Coverage"),
                        tr("%1 (%2 of %3 sectors)")
                            .arg(percent(result.coverage))
                            .arg(result.coveredSectors)
                            .arg(SectorCount)});
    readings.push_back({QStringLiteral("lblFieldBefore"), tr("Field before correction"),
                        result.points ? tr("%1 ± %2").arg(number(result.before.mean, d), percent(result.before.spread))
                                      : tr("no points yet")});
    if (!result.fit) {
        for (const auto &[name, caption] : {std::pair{"lblOffset", "Hard-iron offset"},
                                            {"lblDistortion", "Soft-iron distortion"},
                                            {"lblFieldAfter", "Field after correction"},
                                            {"lblInclination", "Inclination"},
                                            {"lblHeadingError", "Worst heading error"}})
            readings.push_back({QLatin1String(name), tr(caption), noFit});
        return readings;
    }
    const Ellipsoid &fit = *result.fit;
    const double offset = fit.centre.norm();
    std::array<double, 3> radii{fit.radii(0), fit.radii(1), fit.radii(2)};
    std::sort(radii.begin(), radii.end(), std::greater<>());
    readings.push_back({QStringLiteral("lblOffset"), tr("Hard-iron offset"),
                        tr("X %1, Y %2, Z %3 (%4 of the field)")
                            .arg(number(fit.centre.x(), d), number(fit.centre.y(), d), number(fit.centre.z(), d),
                                 percent(100 * offset / fit.sphereRadius()))});
    readings.push_back({QStringLiteral("lblDistortion"), tr("Soft-iron distortion"),
                        tr("%1 (semi-axes %2, %3, %4)")
                            .arg(number(fit.axisRatio(), 3), number(radii[0], d), number(radii[1], d),
                                 number(radii[2], d))});
    readings.push_back({QStringLiteral("lblFieldAfter"), tr("Field after correction"),
                        tr("%1 ± %2").arg(number(result.after.mean, d), percent(result.after.spread))});
    readings.push_back({QStringLiteral("lblInclination"), tr("Inclination"),
                        result.inclination ? degrees(*result.inclination)
                                           : tr("unknown: the sentences carry no acceleration")});
    readings.push_back({QStringLiteral("lblHeadingError"), tr("Worst heading error"),
                        result.inclination ? degrees(*result.headingError)
                                           : tr("at least %1").arg(degrees(*result.headingError))});
    return readings;
}

QString verdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Good: return tr("Good");
    case Verdict::Recalibrate: return tr("Recalibrate");
    case Verdict::Undecided: return tr("No verdict");
    case Verdict::RotateMore: break;
    }
    return tr("Rotate more");
}

QString findingText(const CheckResult &result)
{
    switch (result.finding) {
    case Finding::TooFewPoints:
        return tr("%1 points so far; the check needs %2. Turn the module slowly through every orientation.")
            .arg(result.points)
            .arg(Limits::MinPoints);
    case Finding::TooLittleCoverage:
        return tr("The field has been seen from %1 of %2 sectors; a verdict needs %3 %.")
            .arg(result.coveredSectors)
            .arg(SectorCount)
            .arg(Limits::MinCoverage);
    case Finding::NoEllipsoid:
        return tr("The points fit no ellipsoid yet: turn the module through more orientations.");
    case Finding::Scattered:
        return tr("The corrected field spreads %1 (at most %2 %): the module stood still, or iron or currents near it "
                  "disturbed the field. Move away from them, press Clear and turn it again.")
            .arg(percent(result.after.spread))
            .arg(Limits::MaxScatter);
    case Finding::OffsetTooLarge:
        return tr("The hard-iron offset gives up to %1 of heading error (at most %2°): calibrate the module again.")
            .arg(degrees(*result.headingError))
            .arg(Limits::MaxHeadingError);
    case Finding::DistortionTooLarge:
        return tr("The soft-iron distortion is %1 (at most %2): run the soft-iron calibration again.")
            .arg(number(result.fit->axisRatio(), 3), QLocale().toString(Limits::MaxAxisRatio));
    case Finding::NoInclination:
        return tr("Offset and distortion are within the limits, but the heading error needs the inclination: "
                  "add the acceleration (Acc. Vect) to the module's display fields.");
    case Finding::WithinLimits:
        break;
    }
    return tr("Offset and distortion are within the limits.");
}

QString turnHint(const CheckResult &result)
{
    const std::optional<Eigen::Vector3d> axis = wantedAxis(result.sectorPoints, Limits::MinSectorPoints);
    if (!axis)
        return {};
    return tr("Next: point the module's %1 axis along the earth's field.").arg(axisName(*axis));
}

QString limitsText()
{
    return tr("Good: heading error at most %1° and axis ratio at most %2. No verdict before %3 points covering %4 % "
              "of the sectors (%5 points each), nor while the corrected field spreads more than %6 %.")
        .arg(Limits::MaxHeadingError)
        .arg(QLocale().toString(Limits::MaxAxisRatio))
        .arg(Limits::MinPoints)
        .arg(Limits::MinCoverage)
        .arg(Limits::MinSectorPoints)
        .arg(Limits::MaxScatter);
}

} // namespace mag_check
