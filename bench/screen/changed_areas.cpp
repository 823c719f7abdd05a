#include "bench/screen/changed_areas.h"

#include <algorithm>
#include <cstring>

namespace bench {

void ChangeMask::add(const Pixels &before, const Pixels &after)
{
    changed.resize(std::size_t(width) * height);
    for (std::size_t i = 0; i < changed.size(); ++i)
        if (std::memcmp(&before[i * 4], &after[i * 4], 3) != 0)
            changed[i] = true;
}

void ChangeMask::remove(const ChangeMask &other, int margin)
{
    for (int y = 0; y < other.height; ++y)
        for (int x = 0; x < other.width; ++x) {
            if (!other.changed[std::size_t(y) * other.width + x])
                continue;
            for (int yy = std::max(0, y - margin); yy <= std::min(height - 1, y + margin); ++yy)
                for (int xx = std::max(0, x - margin); xx <= std::min(width - 1, x + margin); ++xx)
                    changed[std::size_t(yy) * width + xx] = false;
        }
}

std::vector<Rect> changedAreas(const ChangeMask &mask, int gap)
{
    std::vector<Rect> areas;
    std::vector<bool> seen(mask.changed.size());
    std::vector<std::pair<int, int>> todo;
    for (int y0 = 0; y0 < mask.height; ++y0)
        for (int x0 = 0; x0 < mask.width; ++x0) {
            const std::size_t start = std::size_t(y0) * mask.width + x0;
            if (!mask.changed[start] || seen[start])
                continue;
            int left = x0, right = x0, top = y0, bottom = y0;
            seen[start] = true;
            todo.assign(1, {x0, y0});
            while (!todo.empty()) {
                const auto [x, y] = todo.back();
                todo.pop_back();
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                for (int yy = std::max(0, y - gap); yy <= std::min(mask.height - 1, y + gap); ++yy)
                    for (int xx = std::max(0, x - gap); xx <= std::min(mask.width - 1, x + gap); ++xx) {
                        const std::size_t i = std::size_t(yy) * mask.width + xx;
                        if (mask.changed[i] && !seen[i]) {
                            seen[i] = true;
                            todo.push_back({xx, yy});
                        }
                    }
            }
            areas.push_back({left, top, right - left + 1, bottom - top + 1});
        }
    return areas;
}

std::optional<HeadingElements> headingElements(const std::vector<Rect> &areas, int instrumentSide)
{
    const Rect *label = nullptr, *instrument = nullptr;
    for (const Rect &a : areas)
        if (a.width >= instrumentSide && a.height >= instrumentSide && (!instrument || a.x > instrument->x))
            instrument = &a;
    if (!instrument)
        return std::nullopt;
    for (const Rect &a : areas)
        // A digit's height and a few digits' width at the least.
        if (a.y >= instrument->y + instrument->height && a.height >= 5 && a.width >= 8
            && (!label || a.area() < label->area()))
            label = &a;
    if (!label)
        return std::nullopt;
    return HeadingElements{*label, *instrument};
}

} // namespace bench
