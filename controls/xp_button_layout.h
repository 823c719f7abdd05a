#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

namespace controls {

// Where the parts of an XPButton go, in pixels of its surface. Kept apart
// from the widget so the geometry can be checked without painting.
struct XPButtonLayout {
    QPoint caption;         // top-left corner of the caption text
    QRect focus;            // the dotted focus rectangle; empty when it does not fit
    bool dropDown = false;  // the drop-down segment and its arrow are drawn
    int dividerX = 0;       // column of the drop-down segment's divider line
    QRect arrow;            // bounding box of the arrow: rows of 7, 5, 3 and 1 pixels
};

// The button type that adds the drop-down segment; every other value is plain.
inline constexpr int XPButtonDropDownType = 2;

XPButtonLayout layoutXPButton(QSize button, QSize caption, int buttonType);

} // namespace controls
