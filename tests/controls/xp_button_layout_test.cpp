#include "controls/xp_button_layout.h"

#include <gtest/gtest.h>

using controls::XPButtonLayout;
using controls::layoutXPButton;
using controls::XPButtonDropDownType;

TEST(XPButtonLayout, PlainButtonCentresItsCaption)
{
    const XPButtonLayout layout = layoutXPButton({75, 23}, {30, 13}, 1);
    EXPECT_EQ(layout.caption, QPoint(22, 5));
    EXPECT_FALSE(layout.dropDown);
    // Every type but 2 is plain.
    EXPECT_FALSE(layoutXPButton({75, 23}, {30, 13}, 3).dropDown);
    // (4, 4) to (W - 4, H - 4), right and bottom exclusive.
    EXPECT_EQ(layout.focus, QRect(QPoint(4, 4), QPoint(70, 18)));
}

TEST(XPButtonLayout, DropDownSegmentDividerArrowAndCaption)
{
    const XPButtonLayout layout = layoutXPButton({75, 23}, {30, 13}, XPButtonDropDownType);
    ASSERT_TRUE(layout.dropDown);
    // The caption centres in the width less 20.
    EXPECT_EQ(layout.caption, QPoint(12, 5));
    // 16 pixels left of the right edge's column.
    EXPECT_EQ(layout.dividerX, 75 - 1 - 16);
    // 7 pixels wide, left end 12 pixels from the right edge, four rows high.
    EXPECT_EQ(layout.arrow, QRect(63, 10, 7, 4));
    EXPECT_EQ(layout.focus, QRect(QPoint(4, 4), QPoint(54, 18)));
}

TEST(XPButtonLayout, ArrowRowFollowsTheHeight)
{
    // Half the height less 2 twips, one pixel up: 24 -> 10.87 -> 11; 14 -> 5.87 -> 6.
    EXPECT_EQ(layoutXPButton({60, 24}, {10, 13}, 2).arrow.top(), 11);
    EXPECT_EQ(layoutXPButton({60, 14}, {10, 13}, 2).arrow.top(), 6);
    EXPECT_EQ(layoutXPButton({100, 14}, {10, 13}, 2).arrow.left(), 88);
}

TEST(XPButtonLayout, CaptionLargerThanTheButtonStartsAtTheCorner)
{
    const XPButtonLayout layout = layoutXPButton({40, 14}, {90, 20}, 1);
    EXPECT_EQ(layout.caption, QPoint(0, 0));
}

TEST(XPButtonLayout, NoFocusRectangleWhenItDoesNotFit)
{
    EXPECT_FALSE(layoutXPButton({8, 14}, {5, 10}, 1).focus.isValid());
    EXPECT_FALSE(layoutXPButton({22, 30}, {5, 10}, 2).focus.isValid());
}
