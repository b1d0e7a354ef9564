// The object list and the runtime classes that chart objects rely on for
// their list of drawable objects and for creation by class name.

#include "CObList.h"
#include "CObject.h"

#include <gtest/gtest.h>

#include <vector>

// Outside any unnamed namespace: the registry holds them by name.
class CShape : public CObject
{
    DECLARE_DYNCREATE(CShape)
public:
    int sides = 0;
};
IMPLEMENT_DYNCREATE(CShape, CObject)

class CSquare : public CShape
{
    DECLARE_DYNCREATE(CSquare)
public:
    CSquare() { sides = 4; }
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

class CAbstractThing : public CObject
{
    DECLARE_DYNAMIC(CAbstractThing)
};
// Abstract: no way to create one.
NOLVEX_IMPLEMENT_RUNTIMECLASS(CAbstractThing, CObject, nullptr)

namespace {

std::vector<CObject*> Walk(CObList& list)
{
    std::vector<CObject*> seen;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;)
        seen.push_back(list.GetNext(position));
    return seen;
}

} // namespace

TEST(RuntimeClassTest, CreatesByNameAndKnowsItsBases)
{
    const CRuntimeClass* square = CRuntimeClass::FromName("CSquare");
    ASSERT_EQ(square, RUNTIME_CLASS(CSquare));
    CObject* created = square->CreateObject();
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->GetRuntimeClass(), RUNTIME_CLASS(CSquare));
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(created->IsKindOf(RUNTIME_CLASS(CAbstractThing)));
    EXPECT_EQ(static_cast<CShape*>(created)->sides, 4);
    delete created;

    EXPECT_EQ(RUNTIME_CLASS(CAbstractThing)->CreateObject(), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
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
