#pragma once
#include "bench/screen/screen_grab.h"

#include <optional>
#include <vector>

namespace bench {

// Which pixels of a width x height picture changed, row by row.
struct ChangeMask {
    int width = 0, height = 0;
    std::vector<bool> changed;
    // Marks the pixels where `before` and `after` (pictures of the same rectangle) differ.
    void add(const Pixels &before, const Pixels &after);
    // Clears the pixels marked in `other`, widened by `margin` (what changed by itself).
    void remove(const ChangeMask &other, int margin);
};

// The changed pixels in groups, each pixel no more than `gap` from another of its
// group, as the bounding boxes of the groups (in the picture's coordinates).
std::vector<Rect> changedAreas(const ChangeMask &mask, int gap);

struct HeadingElements {
    Rect label, instrument;
};

// Among the areas that changed when only the heading did: its instrument is
// the rightmost of those at least `instrumentSide` on each side (the attitude
// instrument, which shows the heading too, stands to its left), its label the
// smallest below it that can hold a number (the instruments' own read-outs
// lie within them). None when either is missing.
std::optional<HeadingElements> headingElements(const std::vector<Rect> &areas, int instrumentSide);

} // namespace bench
