#include "mag_check/heading_error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace mag_check {

namespace {

constexpr double MaxTilt = 90;

// The grid the worst error is searched on: fine enough that the best points
// lie in the hills of the highest maxima, which the local search then climbs.
constexpr double SearchTiltStep = 10;
constexpr double SearchHeadingStep = 10;
// Grid points the local search starts from: neighbours of one maximum, or
// other maxima nearly as high.
constexpr int SearchStarts = 6;
// Degrees: the local search's first step, and where it stops.
constexpr double FirstStep = SearchTiltStep / 2;
constexpr double LastStep = 1e-3;

// The level frame's north and east and the direction of gravity on the board,
// turned by pitch then roll (the board's X forward, Y right, Z down).
void levelFrame(double pitch, double roll, Eigen::Vector3d &north, Eigen::Vector3d &east, Eigen::Vector3d &down)
{
    const double sp = std::sin(pitch / DegreesPerRadian), cp = std::cos(pitch / DegreesPerRadian);
    const double sr = std::sin(roll / DegreesPerRadian), cr = std::cos(roll / DegreesPerRadian);
    north = {cp, sp * sr, sp * cr};
    east = {0, cr, -sr};
    down = {-sp, cp * sr, cp * cr};
}

// The module sees the field's level part through the 2x2 `seen` and adds
// `shift`; it shows the heading of what it sees. The error at a heading
// whose cosine and sine are `h`.
struct LevelView {
    Eigen::Matrix2d seen;
    Eigen::Vector2d shift;

    double error(const Eigen::Vector2d &h) const
    {
        // Where the field's level part points: north turned by the heading towards east.
        const Eigen::Vector2d shown = seen * Eigen::Vector2d(h.x(), -h.y()) + shift;
        // The angle from the true heading to the shown one.
        return std::atan2(-(shown.x() * h.y() + shown.y() * h.x()), shown.x() * h.x() - shown.y() * h.y());
    }
};

LevelView levelView(const ResidualIron &iron, double cosine, double sine, const Eigen::Vector3d &north,
                    const Eigen::Vector3d &east, const Eigen::Vector3d &down)
{
    const Eigen::Vector3d seenNorth = iron.distortion * north;
    const Eigen::Vector3d seenEast = iron.distortion * east;
    const Eigen::Vector3d shift = sine * (iron.distortion * down) + iron.offset;
    LevelView view;
    view.seen << north.dot(seenNorth), north.dot(seenEast), east.dot(seenNorth), east.dot(seenEast);
    view.seen *= cosine;
    view.shift << north.dot(shift), east.dot(shift);
    return view;
}

double errorAt(const ResidualIron &iron, double cosine, double sine, const std::array<double, 3> &at)
{
    Eigen::Vector3d north, east, down;
    levelFrame(at[1], at[2], north, east, down);
    const double heading = at[0] / DegreesPerRadian;
    return levelView(iron, cosine, sine, north, east, down).error({std::cos(heading), std::sin(heading)});
}

// Climbs from `start` (heading, pitch, roll) by steps along each angle, halving
// them when no step helps; pitch and roll stay within ±90°.
double climb(const ResidualIron &iron, double cosine, double sine, std::array<double, 3> at)
{
    double best = std::abs(errorAt(iron, cosine, sine, at));
    for (double step = FirstStep; step >= LastStep;) {
        bool moved = false;
        for (std::size_t angle = 0; angle < at.size(); ++angle) {
            for (const double sign : {1.0, -1.0}) {
                std::array<double, 3> next = at;
                next[angle] += sign * step;
                if (angle > 0)
                    next[angle] = std::clamp(next[angle], -MaxTilt, MaxTilt);
                const double value = std::abs(errorAt(iron, cosine, sine, next));
                if (value > best) {
                    best = value;
                    at = next;
                    moved = true;
                }
            }
        }
        if (!moved)
            step /= 2;
    }
    return best;
}

std::vector<double> stepsFrom(double from, double to, double step)
{
    std::vector<double> values;
    const int count = static_cast<int>(std::lround((to - from) / step));
    for (int i = 0; i <= count; ++i)
        values.push_back(from + i * step);
    return values;
}

} // namespace

double headingError(const ResidualIron &iron, double inclination, double heading, double pitch, double roll)
{
    const double dip = inclination / DegreesPerRadian;
    return errorAt(iron, std::cos(dip), std::sin(dip), {heading, pitch, roll}) * DegreesPerRadian;
}

HeadingErrorMap::HeadingErrorMap(double tiltStep, double headingStep)
{
    for (const double pitch : stepsFrom(-MaxTilt, MaxTilt, tiltStep))
        for (const double roll : stepsFrom(-MaxTilt, MaxTilt, tiltStep)) {
            Tilt tilt;
            levelFrame(pitch, roll, tilt.north, tilt.east, tilt.down);
            m_tilts.push_back(tilt);
        }
    for (const double heading : stepsFrom(0, 360 - headingStep, headingStep))
        m_headings.emplace_back(std::cos(heading / DegreesPerRadian), std::sin(heading / DegreesPerRadian));
}

void HeadingErrorMap::errors(const ResidualIron &iron, double inclination, std::vector<double> &out) const
{
    const double dip = inclination / DegreesPerRadian;
    out.resize(size());
    auto value = out.begin();
    for (const Tilt &tilt : m_tilts) {
        const LevelView view = levelView(iron, std::cos(dip), std::sin(dip), tilt.north, tilt.east, tilt.down);
        for (const Eigen::Vector2d &h : m_headings)
            *value++ = view.error(h) * DegreesPerRadian;
    }
}

double worstHeadingError(const ResidualIron &iron, double inclination)
{
    const double dip = inclination / DegreesPerRadian;
    static const HeadingErrorMap grid(SearchTiltStep, SearchHeadingStep);
    std::vector<double> errors;
    grid.errors(iron, inclination, errors);
    std::vector<std::size_t> order(errors.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::partial_sort(order.begin(), order.begin() + SearchStarts, order.end(),
                      [&errors](std::size_t a, std::size_t b) { return std::abs(errors[a]) > std::abs(errors[b]); });

    const std::size_t tiltsPerRow = static_cast<std::size_t>(std::lround(2 * MaxTilt / SearchTiltStep)) + 1;
    double worst = 0;
    for (auto start = order.begin(); start != order.begin() + SearchStarts; ++start) {
        const std::size_t tilt = *start / grid.m_headings.size();
        const std::size_t heading = *start % grid.m_headings.size();
        const std::array<double, 3> at{static_cast<double>(heading) * SearchHeadingStep,
                                       -MaxTilt + static_cast<double>(tilt / tiltsPerRow) * SearchTiltStep,
                                       -MaxTilt + static_cast<double>(tilt % tiltsPerRow) * SearchTiltStep};
        worst = std::max(worst, climb(iron, std::cos(dip), std::sin(dip), at));
    }
    return worst * DegreesPerRadian;
}

double worstLevelHeadingError(const LevelIron &iron)
{
    const LevelView view{iron.distortion, iron.offset};
    const auto at = [&view](double heading) {
        return std::abs(view.error({std::cos(heading / DegreesPerRadian), std::sin(heading / DegreesPerRadian)}));
    };
    double best = 0, bestHeading = 0;
    for (double heading = 0; heading < 360; heading += SearchHeadingStep)
        if (at(heading) > best) {
            best = at(heading);
            bestHeading = heading;
        }
    for (double step = FirstStep; step >= LastStep;) {
        bool moved = false;
        for (const double next : {bestHeading - step, bestHeading + step})
            if (at(next) > best) {
                best = at(next);
                bestHeading = next;
                moved = true;
            }
        if (!moved)
            step /= 2;
    }
    return best * DegreesPerRadian;
}

} // namespace mag_check
