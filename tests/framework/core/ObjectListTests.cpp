// The object list and the runtime classes that chart objects rely on for
// their list of drawable objects.

#include "CObList.h"
#include "CObject.h"

#include <gtest/gtest.h>

#include <vector>

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
public:
    int sides = 0;
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CSquare : public CShape
{
    DECLARE_DYNAMIC(CSquare)
public:
    CSquare() { sides = 4; }
};
IMPLEMENT_DYNAMIC(CSquare, CShape)

class CAbstractThing : public CObject
{
    DECLARE_DYNAMIC(CAbstractThing)
};
IMPLEMENT_DYNAMIC(CAbstractThing, CObject)

namespace {

std::vector<CObject*> Walk(CObList& list)
{
    std::vector<CObject*> seen;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;)
        seen.push_back(list.GetNext(position));
    return seen;
}

} // namespace

TEST(RuntimeClassTest, AnObjectKnowsItsClassAndItsBases)
{
    const CSquare square;
    const CObject& object = square;
    EXPECT_EQ(object.GetRuntimeClass(), RUNTIME_CLASS(CSquare));
    EXPECT_STREQ(object.GetRuntimeClass()->m_lpszClassName, "CSquare");
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object.IsKindOf(RUNTIME_CLASS(CAbstractThing)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CSquare)));
}

TEST(ObjectListTest, KeepsOrderThroughInsertionsAndRemovals)
{
    CShape a, b, c, d;
    CObList list(2);
    list.AddTail(&b);
    list.AddHead(&a);
    list.AddTail(&d);
    list.AddTail(&c);
    EXPECT_EQ(Walk(list), (std::vector<CObject*>{&a, &b, &d, &c}));

    list.RemoveAt(list.Find(&d));
    EXPECT_EQ(Walk(list), (std::vector<CObject*>{&a, &b, &c}));
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.Find(&c));
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetHead(), &b);
    list.AddHead(&a);
    EXPECT_EQ(Walk(list), (std::vector<CObject*>{&a, &b}));
}

TEST(ObjectListTest, FindsAfterAStartAndByIndex)
{
    CShape a, b;
    CObList list;
    const POSITION first = list.AddTail(&a);
    list.AddTail(&b);
    const POSITION second = list.AddTail(&a);
    EXPECT_EQ(list.Find(&a), first);
    EXPECT_EQ(list.Find(&a, first), second);
    EXPECT_EQ(list.Find(&a, second), nullptr);
    EXPECT_EQ(list.FindIndex(1), list.Find(&b));
    EXPECT_EQ(list.FindIndex(3), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST(ObjectListTest, ReusesNodesAcrossManyBlocks)
{
    std::vector<CShape> shapes(100);
    CObList list(3);
    for (int round = 0; round < 3; ++round) {
        for (CShape& shape : shapes)
            list.AddTail(&shape);
        for (int i = 0; i < 50; ++i)
            list.RemoveAt(list.GetHeadPosition());
        EXPECT_EQ(list.GetCount(), 50 + round * 50);
    }
    std::vector<CObject*> seen = Walk(list);
    ASSERT_EQ(seen.size(), 150u);
    EXPECT_EQ(seen.front(), &shapes[50]);
    EXPECT_EQ(seen.back(), &shapes[99]);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    list.AddTail(&shapes[0]);
    EXPECT_EQ(list.GetCount(), 1);
}
