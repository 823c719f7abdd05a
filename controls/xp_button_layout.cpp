#include "controls/xp_button_layout.h"

#include "numbers/number_reader.h"

#include <algorithm>

namespace controls {

namespace {
int roundHalfEven(double value)
{
    return static_cast<int>(numbers::RoundHalfEven(value));
}
} // namespace

XPButtonLayout layoutXPButton(QSize button, QSize caption, int buttonType)
{
    const double w = button.width();
    const double h = button.height();
    XPButtonLayout layout;
    layout.dropDown = buttonType == XPButtonDropDownType;

    // The caption centres in the width left of the drop-down segment.
    const double reserved = layout.dropDown ? 20 : 0;
    layout.caption = QPoint(std::max(0, roundHalfEven((w - reserved) / 2 - caption.width() / 2.0)),
                            std::max(0, roundHalfEven(h / 2 - caption.height() / 2.0)));

    // Left, top, right, bottom with right and bottom exclusive.
    const int focusRight = button.width() - (layout.dropDown ? 20 : 4);
    const int focusBottom = button.height() - 4;
    if (focusRight > 4 && focusBottom > 4)
        layout.focus = QRect(QPoint(4, 4), QPoint(focusRight - 1, focusBottom - 1));

    if (layout.dropDown) {
        // The segment's frame spans (0, 0, W - 16, H); its right edge is the divider.
        layout.dividerX = button.width() - 17;
        // Half the height less 2 twips (15 twips to the pixel), one pixel higher.
        const double arrowTop = h / 2 - 2.0 / 15.0 - 1;
        layout.arrow = QRect(roundHalfEven(w - 12), roundHalfEven(arrowTop), 7, 4);
    }
    return layout;
}

} // namespace controls
