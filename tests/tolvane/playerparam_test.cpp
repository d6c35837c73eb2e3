#include "tolvane/playerparam.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tolvane/playertypeparam.h"

typedef PlayertypeParam::TypeParam TypeParam;

namespace {

// The record is all doubles: no padding to compare.
bool allZero(const TypeParam& r) {
  const TypeParam zero;
  return std::memcmp(&r, &zero, sizeof r) == 0;
}

// Record 0 at the defaults and the others all zero, whatever ran before.
PlayertypeParam* resetTable(int n) {
  PlayertypeParam* pt = PlayertypeParam::instance(1);
  pt->setNumTypes(2);
  pt->TP[1] = TypeParam();
  pt->setCurrentType(0);
  pt->setNumTypes(n);
  return pt;
}

} // namespace

TEST(PlayerParamTest, TypeTableAndCurrentType) {
  PlayertypeParam* pt = resetTable(2);
  pt->setParameter("player_decay", "0.45");
  pt->setNumTypes(8);
  EXPECT_EQ(0.45, pt->TP[0].player_decay);
  for (int t = 1; t < 8; ++t) EXPECT_TRUE(allZero(pt->TP[t])) << t;
  // The options still point at record 0 after the table moved.
  pt->setParameter("player_decay", "0.35");
  EXPECT_EQ(0.35, pt->playerDecay(0));

  // Binding a record writes its defaults.
  pt->setCurrentType(3);
  EXPECT_EQ(0.4, pt->TP[3].player_decay);
  pt->setParameter("player_decay", "0.5");
  EXPECT_EQ(0.5, pt->playerDecay(3));
  EXPECT_EQ(0.35, pt->playerDecay(0));
  EXPECT_TRUE(allZero(pt->TP[2]));

  // Shrinking below the current type moves the binding to record 0 without touching it.
  pt->setNumTypes(3);
  EXPECT_EQ(0, pt->currentType());
  EXPECT_EQ(0.35, pt->playerDecay(0));
  pt->setParameter("player_size", "0.4");
  EXPECT_EQ(0.4, pt->playerSize(0));

  // Values from the network stay inside the table.
  pt->setCurrentType(1);
  pt->setParameter("player_decay", "0.3");
  pt->end();
  for (int n : {1, -5, 102}) pt->setNumTypes(n);
  EXPECT_EQ(3, pt->numTypes());
  // A type outside the table, bound as a player_type message binds it: its
  // values land nowhere.
  for (int id : {3, -1}) {
    pt->setCurrentType(id);
    pt->begin();
    pt->setParameter("player_decay", "0.9");
    pt->end();
  }
  EXPECT_EQ(0.3, pt->playerDecay(1));
  EXPECT_EQ(0.35, pt->playerDecay(0));
  EXPECT_TRUE(allZero(pt->TP[2]));
  // A read outside the table reads type 0.
  EXPECT_EQ(0.35, pt->playerDecay(9));
  EXPECT_EQ(45.0, static_cast<vekbase::BasePlayertypeParam*>(pt)->staminaIncMax(-1));
}
