// The owning list: objects that remove themselves (or others) mid-walk.
#include "base/objectlist.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct TItem;
using TList = TObjectList<TItem>;

struct TItem {
  TList* owner;
  int id;
  std::vector<int>* destroyed;
  TItem(TList* owner, int id, std::vector<int>* destroyed) : owner(owner), id(id), destroyed(destroyed) {}
  ~TItem() { destroyed->push_back(id); }
  // Removes itself and then still reads its own fields, as an update that
  // finishes its work after asking to be removed would.
  int RemoveSelf() {
    owner->Remove(this);
    return id;
  }
};

struct ListFixture : ::testing::Test {
  std::vector<int> destroyed;
  TList list;
  void Fill(int n) {
    for (int i = 0; i < n; ++i) list.Add(new TItem(&list, i, &destroyed));
  }
};
}  // namespace

TEST_F(ListFixture, SelfRemovalDuringABackwardWalkIsSafeAndVisitsEveryEntryOnce) {
  Fill(6);
  std::vector<int> visited;
  list.WalkBackward([&](TItem* item) {
    if (item->id % 2 == 0)
      visited.push_back(item->RemoveSelf());
    else
      visited.push_back(item->id);
  });
  EXPECT_EQ(visited, (std::vector<int>{5, 4, 3, 2, 1, 0}));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[0]->id, 1);
  EXPECT_EQ(list[2]->id, 5);
  EXPECT_EQ(destroyed, (std::vector<int>{4, 2, 0})) << "destroyed once the walk ended, not before";
}

TEST_F(ListFixture, RemovingOtherEntriesOrClearingMidWalkNeverVisitsThemAgain) {
  Fill(5);
  std::vector<int> visited;
  list.WalkBackward([&](TItem* item) {
    visited.push_back(item->id);
    if (item->id == 3) {
      list.Remove(list[2]);  // the entry the walk would visit next
      list.Remove(list[0]);
    }
  });
  EXPECT_EQ(visited, (std::vector<int>{4, 3, 1}));
  visited.clear();
  list.WalkForward([&](TItem* item) {
    visited.push_back(item->id);
    list.Clear();
  });
  EXPECT_EQ(visited, (std::vector<int>{1}));
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(destroyed.size(), 5u);
}

TEST_F(ListFixture, OutsideAWalkRemovalDestroysAtOnceAndAppendsAreNotVisited) {
  Fill(3);
  list.Remove(list[1]);
  EXPECT_EQ(destroyed, (std::vector<int>{1}));
  int visits = 0;
  list.WalkForward([&](TItem*) {
    ++visits;
    list.Add(new TItem(&list, 100 + visits, &destroyed));
  });
  EXPECT_EQ(visits, 2) << "entries appended during a walk wait for the next one";
  EXPECT_EQ(list.Count(), 4);
  list.Insert(0, new TItem(&list, 50, &destroyed));
  EXPECT_EQ(list.First()->id, 50);
  EXPECT_TRUE(list.Contains(list[4]));
}
