#include "mag_check/check_texts.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <QStringList>

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

namespace {

// The offset of a level turn: its parts along the two board axes in the turn's
// plane; the third, across it, such a turn cannot tell.
QString levelOffset(const CheckResult &result, int decimals)
{
    const LevelTurn &turn = *result.levelTurn;
    Eigen::Index across = 0;
    turn.plane.normal.cwiseAbs().maxCoeff(&across);
    QStringList parts;
    for (Eigen::Index axis = 0; axis < 3; ++axis)
        if (axis != across)
            parts << QStringLiteral("%1 %2").arg(QStringLiteral("XYZ").at(axis), number(turn.offset(axis), decimals));
    return tr("%1 (%2 of the field in the plane); %3 is not told by a level turn")
        .arg(parts.join(QStringLiteral(", ")), percent(100 * turn.offset.norm() / turn.circleRadius()))
        .arg(QStringLiteral("XYZ").at(across));
}

QString headingErrorText(const HeadingErrors &errors, bool inclinationKnown)
{
    const QString parts = tr("hard iron %1, soft iron %2").arg(degrees(errors.hardIron), degrees(errors.softIron));
    if (!inclinationKnown)
        return tr("%1 at inclination 0 (%2); the inclination is not known").arg(degrees(errors.worst), parts);
    return tr("%1, %2 to %3 with 95 % confidence (%4)")
        .arg(degrees(errors.worst), degrees(errors.range->low), degrees(errors.range->high), parts);
}

} // namespace

std::vector<Reading> readingsOf(const CheckResult &result, int capacity)
{
    const int d = decimalsFor(result.before.mean);
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
    const auto add = [&readings](const char *name, const char *caption, const QString &value) {
        readings.push_back({QLatin1String(name), tr(caption), value});
    };
    if (result.levelTurn) {
        const LevelTurn &turn = *result.levelTurn;
        const QString levelOnly = tr("not told by a level turn, which cannot tell the offset across its plane");
        add("lblOffset", "Hard-iron offset", levelOffset(result, d));
        add("lblDistortion", "Soft-iron distortion",
            tr("%1 in the plane (semi-axes %2, %3)")
                .arg(number(turn.axisRatio(), 3), number(turn.radii(0), d), number(turn.radii(1), d)));
        add("lblFieldAfter", "Field after correction",
            tr("%1 ± %2 in the plane").arg(number(result.after.mean, d), percent(result.after.spread)));
        add("lblInclination", "Inclination", levelOnly);
        add("lblHeadingError", "Worst heading error",
            tr("%1 when level; tilted: not told by a level turn").arg(degrees(*result.levelHeadingError)));
        return readings;
    }
    if (!result.fit) {
        for (const auto &[name, caption] : {std::pair{"lblOffset", "Hard-iron offset"},
                                            {"lblDistortion", "Soft-iron distortion"},
                                            {"lblFieldAfter", "Field after correction"},
                                            {"lblInclination", "Inclination"},
                                            {"lblHeadingError", "Worst heading error"}})
            add(name, caption, tr("no fit yet"));
        return readings;
    }
    const Ellipsoid &fit = *result.fit;
    const double offset = fit.centre.norm();
    std::array<double, 3> radii{fit.radii(0), fit.radii(1), fit.radii(2)};
    std::sort(radii.begin(), radii.end(), std::greater<>());
    add("lblOffset", "Hard-iron offset",
        tr("X %1, Y %2, Z %3 (%4 of the field)")
            .arg(number(fit.centre.x(), d), number(fit.centre.y(), d), number(fit.centre.z(), d),
                 percent(100 * offset / fit.sphereRadius())));
    add("lblDistortion", "Soft-iron distortion",
        tr("%1 (semi-axes %2, %3, %4)")
            .arg(number(fit.axisRatio(), 3), number(radii[0], d), number(radii[1], d), number(radii[2], d)));
    add("lblFieldAfter", "Field after correction",
        tr("%1 ± %2").arg(number(result.after.mean, d), percent(result.after.spread)));
    add("lblInclination", "Inclination",
        result.inclination ? tr("%1 (positive: the field points down)").arg(degrees(*result.inclination))
                           : tr("unknown: the sentences carry no acceleration"));
    add("lblHeadingError", "Worst heading error", headingErrorText(*result.headingError, result.inclination.has_value()));
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
    const QString limit = degrees(Limits::MaxHeadingError);
    switch (result.finding) {
    case Finding::TooFewPoints:
        return tr("%1 points so far; the check needs %2. Turn the module slowly through every orientation.")
            .arg(result.points)
            .arg(Limits::MinPoints);
    case Finding::LevelTurnOnly:
        return tr("Turned in one plane only: level, it would show up to %1 of heading error. A level turn cannot "
                  "tell the offset across it, nor the error when the module is tilted: tilt the module and turn it "
                  "over as well.")
            .arg(degrees(*result.levelHeadingError));
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
    case Finding::NoInclination:
        return tr("The heading error depends on the inclination, which needs the acceleration: add Acc. Vect to the "
                  "module's display fields.");
    case Finding::HeadingErrorTooLarge:
        return tr("The correction leaves up to %1 of heading error, at least %2 with 95 % confidence (the limit is "
                  "%3): calibrate the module again.")
            .arg(degrees(result.headingError->worst), degrees(result.headingError->range->low), limit);
    case Finding::Uncertain:
        return tr("The heading error lies between %1 and %2 with 95 % confidence, on both sides of %3: more points, "
                  "or more turning through every orientation, would decide it.")
            .arg(degrees(result.headingError->range->low), degrees(result.headingError->range->high), limit);
    case Finding::WithinLimits:
        break;
    }
    return tr("The heading error is at most %1 with 95 % confidence (the limit is %2).")
        .arg(degrees(result.headingError->range->high), limit);
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
    return tr("Good when the worst heading error, from the whole correction at the measured inclination over every "
              "heading and pitch and roll up to ±%1°, is at most %2° with 95 % confidence; Recalibrate when it is "
              "above. No verdict before %3 points covering %4 % of the sectors (%5 points each), nor while the "
              "corrected field spreads more than %6 %.")
        .arg(90)
        .arg(Limits::MaxHeadingError)
        .arg(Limits::MinPoints)
        .arg(Limits::MinCoverage)
        .arg(Limits::MinSectorPoints)
        .arg(Limits::MaxScatter);
}

} // namespace mag_check
