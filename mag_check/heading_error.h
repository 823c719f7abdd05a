#pragma once
#include <Eigen/Core>
#include <numbers>
#include <vector>

namespace mag_check {

inline constexpr double DegreesPerRadian = 180 / std::numbers::pi;

// What the module's calibration left: it reads distortion · (true field) +
// offset, the field being of unit length. The distortion is taken symmetric
// (a turn between the magnetometer's and the accelerometer's axes does not
// show in the field's magnitudes) and of determinant 1 (a scale turns no heading).
struct ResidualIron {
    Eigen::Matrix3d distortion = Eigen::Matrix3d::Identity();
    Eigen::Vector3d offset = Eigen::Vector3d::Zero();
};

// The same in the plane of a level turn: the field's horizontal part, of unit length.
struct LevelIron {
    Eigen::Matrix2d distortion = Eigen::Matrix2d::Identity();
    Eigen::Vector2d offset = Eigen::Vector2d::Zero();
};

// A tilt-compensating module's heading error in degrees, signed, at one
// orientation: heading, pitch and roll in degrees, the field dipping
// `inclination` degrees below the horizon (negative: pointing up).
double headingError(const ResidualIron &iron, double inclination, double heading, double pitch, double roll);

// The worst heading error, in degrees, over every heading and every pitch and
// roll from -90° to 90°: a grid search, then a local search from the best
// points of the grid.
double worstHeadingError(const ResidualIron &iron, double inclination);
// The worst over a full level turn.
double worstLevelHeadingError(const LevelIron &iron);

// The heading errors at the orientations of a fixed grid, to compare two
// corrections orientation by orientation.
class HeadingErrorMap {
public:
    // Steps in degrees: pitch and roll each from -90° to 90°, heading all round.
    HeadingErrorMap(double tiltStep, double headingStep);

    void errors(const ResidualIron &iron, double inclination, std::vector<double> &out) const;
    std::size_t size() const { return m_tilts.size() * m_headings.size(); }

private:
    // Per pitch and roll: the level frame's north and east and gravity, on the board.
    struct Tilt {
        Eigen::Vector3d north;
        Eigen::Vector3d east;
        Eigen::Vector3d down;
    };
    std::vector<Tilt> m_tilts;
    // Cosine and sine of each heading.
    std::vector<Eigen::Vector2d> m_headings;

    friend double worstHeadingError(const ResidualIron &, double);
};

} // namespace mag_check
