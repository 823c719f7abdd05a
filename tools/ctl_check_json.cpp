// How compass-ctl reports the magnetic calibration check: the one place that
// maps the check's result to JSON and to an exit status.
#include "tools/ctl_check_json.h"

#include <QJsonArray>

namespace compass_ctl {

namespace {

QString verdictName(mag_check::Verdict verdict)
{
    switch (verdict) {
    case mag_check::Verdict::Good: return QStringLiteral("Good");
    case mag_check::Verdict::Recalibrate: return QStringLiteral("Recalibrate");
    case mag_check::Verdict::Undecided: return QStringLiteral("No verdict");
    case mag_check::Verdict::RotateMore: break;
    }
    return QStringLiteral("Rotate more");
}

QString findingName(mag_check::Finding finding)
{
    switch (finding) {
    case mag_check::Finding::TooFewPoints: return QStringLiteral("too few points");
    case mag_check::Finding::LevelTurnOnly: return QStringLiteral("turned in one plane only: tilt the module and turn it over");
    case mag_check::Finding::TooLittleCoverage: return QStringLiteral("too little coverage");
    case mag_check::Finding::NoEllipsoid: return QStringLiteral("no ellipsoid fits the points");
    case mag_check::Finding::Scattered: return QStringLiteral("the corrected field is scattered");
    case mag_check::Finding::NoInclination: return QStringLiteral("no acceleration: inclination unknown");
    case mag_check::Finding::HeadingErrorTooLarge: return QStringLiteral("heading error above the limit");
    case mag_check::Finding::Uncertain:
        return QStringLiteral("heading error not decided: more points or more turning would decide it");
    case mag_check::Finding::WithinLimits: break;
    }
    return QStringLiteral("within limits");
}

QJsonArray vector(const Eigen::Vector3d &v)
{
    return QJsonArray{v.x(), v.y(), v.z()};
}

QJsonObject magnitude(const mag_check::Magnitude &m)
{
    return QJsonObject{{"mean", m.mean}, {"spread_percent", m.spread}};
}

} // namespace

QJsonObject CheckJson(const mag_check::CheckResult &result)
{
    QJsonObject json{{"verdict", verdictName(result.verdict)},
                     {"finding", findingName(result.finding)},
                     {"points", result.points},
                     {"covered_sectors", result.coveredSectors},
                     {"coverage_percent", result.coverage},
                     {"magnitude_before", magnitude(result.before)},
                     {"magnitude_after", magnitude(result.after)}};
    if (result.fit) {
        json["hard_iron_offset"] = vector(result.fit->centre);
        json["hard_iron_share_percent"] = 100.0 * result.fit->centre.norm() / result.fit->sphereRadius();
        json["axis_ratio"] = result.fit->axisRatio();
    }
    if (result.inclination)
        json["inclination_degrees"] = *result.inclination;
    if (result.headingError) {
        const mag_check::HeadingErrors &error = *result.headingError;
        QJsonObject heading{{"worst", error.worst}, {"hard_iron", error.hardIron}, {"soft_iron", error.softIron}};
        if (error.range)
            heading["interval_95_percent"] = QJsonArray{error.range->low, error.range->high};
        json["heading_error_degrees"] = heading;
    }
    if (result.levelHeadingError)
        json["level_heading_error_degrees"] = *result.levelHeadingError;
    return json;
}

int CheckExitStatus(const mag_check::CheckResult &result)
{
    switch (result.verdict) {
    case mag_check::Verdict::Good: return 0;
    case mag_check::Verdict::Recalibrate: return 1;
    case mag_check::Verdict::RotateMore:
    case mag_check::Verdict::Undecided: break;
    }
    return 6;
}

} // namespace compass_ctl
