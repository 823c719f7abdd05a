#pragma once
#include <Eigen/Core>
#include <array>
#include <optional>

namespace mag_check {

// The sphere of directions in 20 sectors of equal area: a cap round +Z
// (sector 0), three bands of six 60° sectors from +X towards +Y (upper 1 to 6,
// middle 7 to 12, lower 13 to 18) and a cap round -Z (sector 19).
inline constexpr int SectorCount = 20;
inline constexpr int SectorsPerBand = 6;
using SectorCounts = std::array<int, SectorCount>;

// Where a sector lies: between two heights of the unit direction and two
// azimuths (degrees from +X towards +Y; a cap goes all the way round).
struct Sector {
    double zLow;
    double zHigh;
    double azimuthFrom;
    double azimuthTo;
};

Sector sectorBounds(int sector);
// The sector a direction of any length points into; none for a zero or non-finite one.
std::optional<int> sectorOf(const Eigen::Vector3d &direction);
// The sector of the unit direction at height `z` and azimuth `azimuth` (degrees).
int sectorAt(double z, double azimuth);
// Azimuth in degrees, 0 to 360, from +X towards +Y.
double azimuthOf(const Eigen::Vector3d &direction);

// The board axis (+X, -X, ... as a unit vector) nearest to the sectors with
// fewer than `minPoints` points; none when every sector has enough.
std::optional<Eigen::Vector3d> wantedAxis(const SectorCounts &counts, int minPoints);

} // namespace mag_check
