#include <gtest/gtest.h>

#include "support/LangTestSupport.h"
#include "support/VMFixture.h"
#include "tq/graphics/CollisionBox.h"

using tq::graphics::CollisionBox;

namespace {

class CollisionBoxTest : public VMFixture {
protected:
    static VMPtr<CollisionBox> box(int x, int y, int w, int h, int type = CollisionBox::RECTANGLE)
    {
        VMPtr<CollisionBox> b = CollisionBox::newInstance()->initWithType(type);
        b->setBounds(x, y, w, h);
        return b;
    }
};

TEST_F(CollisionBoxTest, RectanglesAndCirclesOverlapByShape)
{
    struct Case {
        const char* what;
        int ax, ay, aw, ah, at;
        int bx, by, bw, bh, bt;
        bool overlap;
    };
    const int R = CollisionBox::RECTANGLE, C = CollisionBox::CIRCLE;
    const Case cases[] = {
        {"rectangles sharing an edge", 0, 0, 10, 10, R, 10, 0, 10, 10, R, false},
        {"rectangles overlapping by one", 0, 0, 10, 10, R, 9, 9, 10, 10, R, true},
        {"an empty rectangle", 0, 0, 0, 10, R, 0, 0, 10, 10, R, false},
        {"circles touching", 0, 0, 10, 10, C, 10, 0, 10, 10, C, true},
        {"circles apart", 0, 0, 10, 10, C, 11, 0, 10, 10, C, false},
        {"circle beyond a corner", 0, 0, 10, 10, C, 9, 9, 10, 10, R, false},
        {"circle over an edge", 0, 0, 10, 10, C, 9, 3, 10, 4, R, true},
        {"rectangle against a circle", 9, 3, 10, 4, R, 0, 0, 10, 10, C, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VMPtr<CollisionBox> a = box(c.ax, c.ay, c.aw, c.ah, c.at);
        VMPtr<CollisionBox> b = box(c.bx, c.by, c.bw, c.bh, c.bt);
        EXPECT_EQ(a->intersects(b), c.overlap);
        EXPECT_EQ(b->intersects(a), c.overlap);
    }
}

TEST_F(CollisionBoxTest, PointsRectanglesAndEmptiness)
{
    // A circle of width 9: radius 4, centre (x + 4, y + 4); its top edge
    // point is not inside.
    VMPtr<CollisionBox> circle = box(10, 20, 9, 9, CollisionBox::CIRCLE);
    EXPECT_FALSE(circle->contains(14, 20));
    EXPECT_TRUE(circle->contains(14, 21));
    VMPtr<CollisionBox> empty = box(0, 0, 0, 5);
    EXPECT_TRUE(empty->isEmpty());
    EXPECT_FALSE(empty->contains(0, 0));
    EXPECT_FALSE(empty->intersectsRect(0, 0, 5, 5));
    EXPECT_FALSE(empty->containsRect(0, 0, 0, 0));
    EXPECT_EQ(empty->getCollisionBoxCount(), 0);
    VMPtr<CollisionBox> joined = CollisionBox::newInstance()->init();
    joined->setToIntersection(box(0, 0, 5, 5), box(10, 10, 5, 5));
    EXPECT_TRUE(joined->isEmpty());
    joined->setToUnion(box(0, 0, 5, 5), box(10, 10, 5, 5));
    EXPECT_EQ(vmText(joined->toString()), "x,y:0,0, WxH:15,15");
    EXPECT_EQ(vmText(box(1, 2, 3, 4)->toString()), "x,y:1,2, WxH:3,4");
}

TEST_F(CollisionBoxTest, PairSearchAndCapacity)
{
    VMPtr<CollisionBox::BoxArray> grown = CollisionBox::ensureCapacity(nullptr, 2);
    ASSERT_EQ(grown->length, 4);
    for (int i = 0; i < 4; i++)
        EXPECT_TRUE(grown->get(i)) << i;
    EXPECT_EQ(CollisionBox::ensureCapacity(grown, 3).get(), grown.get());
    VMPtr<CollisionBox::BoxArray> a = CollisionBox::ensureCapacity(nullptr, 2);
    VMPtr<CollisionBox::BoxArray> b = CollisionBox::ensureCapacity(nullptr, 2);
    a->get(0)->setBounds(0, 0, 2, 2);
    a->get(1)->setBounds(50, 50, 5, 5);
    b->get(0)->setBounds(52, 52, 5, 5);
    b->get(1)->setBounds(100, 0, 5, 5);
    ASSERT_TRUE(CollisionBox::findFirstIntersectingPair(2, a, 2, b));
    EXPECT_EQ(VMPtr<CollisionBox>(CollisionBox::hitBoxA).get(), a->get(1).get());
    EXPECT_EQ(VMPtr<CollisionBox>(CollisionBox::hitBoxB).get(), b->get(0).get());
    EXPECT_FALSE(CollisionBox::findFirstIntersectingPair(1, a, 2, b));
    EXPECT_FALSE(CollisionBox::hitBoxA);
    EXPECT_FALSE(CollisionBox::hitBoxB);
}

} // namespace
