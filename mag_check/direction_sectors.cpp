#include "mag_check/direction_sectors.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mag_check {

namespace {

// Heights that cut the sphere into two caps and three bands; a band holds six
// times a cap's area, as its height is six times the cap's.
constexpr double CapEdge = 0.9;
constexpr double BandEdge = 0.3;
constexpr double SectorDegrees = 360.0 / SectorsPerBand;

Eigen::Vector3d centreOf(int sector)
{
    const Sector s = sectorBounds(sector);
    if (s.azimuthTo - s.azimuthFrom >= 360)
        return {0, 0, s.zHigh > 0 ? 1.0 : -1.0};
    const double z = (s.zLow + s.zHigh) / 2;
    const double azimuth = (s.azimuthFrom + s.azimuthTo) / 2 * std::numbers::pi / 180;
    const double across = std::sqrt(1 - z * z);
    return {across * std::cos(azimuth), across * std::sin(azimuth), z};
}

} // namespace

Sector sectorBounds(int sector)
{
    if (sector == 0)
        return {CapEdge, 1, 0, 360};
    if (sector == SectorCount - 1)
        return {-1, -CapEdge, 0, 360};
    constexpr double bandTops[] = {CapEdge, BandEdge, -BandEdge, -CapEdge};
    const int band = (sector - 1) / SectorsPerBand;
    const int column = (sector - 1) % SectorsPerBand;
    return {bandTops[band + 1], bandTops[band], column * SectorDegrees, (column + 1) * SectorDegrees};
}

double azimuthOf(const Eigen::Vector3d &direction)
{
    const double degrees = std::atan2(direction.y(), direction.x()) * 180 / std::numbers::pi;
    return degrees < 0 ? degrees + 360 : degrees;
}

std::optional<int> sectorOf(const Eigen::Vector3d &direction)
{
    const double length = direction.norm();
    if (!(length > 0) || !std::isfinite(length))
        return std::nullopt;
    return sectorAt(direction.z() / length, azimuthOf(direction));
}

int sectorAt(double z, double azimuth)
{
    if (z > CapEdge)
        return 0;
    if (z < -CapEdge)
        return SectorCount - 1;
    const int band = z > BandEdge ? 0 : z > -BandEdge ? 1 : 2;
    const int column = std::clamp(static_cast<int>(azimuth / SectorDegrees), 0, SectorsPerBand - 1);
    return 1 + band * SectorsPerBand + column;
}

std::optional<Eigen::Vector3d> wantedAxis(const SectorCounts &counts, int minPoints)
{
    Eigen::Vector3d missing = Eigen::Vector3d::Zero();
    std::optional<int> firstMissing;
    for (int sector = 0; sector < SectorCount; ++sector) {
        if (counts[static_cast<std::size_t>(sector)] >= minPoints)
            continue;
        missing += centreOf(sector);
        if (!firstMissing)
            firstMissing = sector;
    }
    if (!firstMissing)
        return std::nullopt;
    // Missing sectors all round cancel out; then any one of them will do.
    if (missing.norm() < 0.5)
        missing = centreOf(*firstMissing);
    Eigen::Index axis = 0;
    missing.cwiseAbs().maxCoeff(&axis);
    return Eigen::Vector3d::Unit(axis) * (missing(axis) < 0 ? -1.0 : 1.0);
}

} // namespace mag_check
