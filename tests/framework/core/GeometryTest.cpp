// CPoint, CSize and CRect.
#include <afx.h>
#include <gtest/gtest.h>

namespace {

TEST(GeometryTest, RectOperations)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20))); // right and bottom are outside

    CRect moved = r + CPoint(5, 5);
    EXPECT_EQ(moved, CRect(15, 25, 115, 75));
    CRect inflated = r;
    inflated.InflateRect(2, 3);
    EXPECT_EQ(inflated, CRect(8, 17, 112, 73));
    inflated.DeflateRect(2, 3, 2, 3);
    EXPECT_EQ(inflated, r);
    EXPECT_EQ(r & CRect(100, 60, 200, 200), CRect(100, 60, 110, 70));
    EXPECT_EQ(r | CRect(0, 0, 1, 1), CRect(0, 0, 110, 70));
    EXPECT_TRUE((r & CRect(500, 500, 600, 600)).IsRectEmpty());

    CRect flipped(10, 10, 0, 0);
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 0, 10, 10));
    flipped.MoveToXY(5, 6);
    EXPECT_EQ(flipped, CRect(5, 6, 15, 16));
    EXPECT_EQ(flipped.Size(), CSize(10, 10));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
    EXPECT_TRUE(CRect().IsRectNull());
}

} // namespace
