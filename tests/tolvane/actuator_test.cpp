#include "tolvane/actuator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tolvane/connection.h"
#include "tolvane/serverparam.h"

using vekbase::AngleDeg;
using vekbase::Timer;
using vekbase::ViewQuality;
using vekbase::ViewWidth;
typedef SoccerCommand SC;

namespace {

struct FakeLink : Connection {
  bool open() override { return true; }
  void close() override {}
  bool sendMessage(const std::string& buf) override { return sent.push_back(buf), true; }
  bool sendMessage(const char* buf) override { return sent.push_back(buf), true; }
  bool sendInitializeMessage() override { return true; }
  bool waitForMessage(vekbase::TimevalXL) override { return false; }
  std::vector<std::string> sent;
};

FakeLink fake;

int cycle = 1000;

// A decision in a new cycle, view mode (high, normal), nothing held back.
Actuator* newDecision() {
  Actuator* act = Actuator::instance(&fake);
  act->setCurrentViewMode(ViewQuality(ViewQuality::S_high), ViewWidth(ViewWidth::S_normal));
  act->sendPendingChangeView();
  act->nextCycle(0, -1);
  Timer::updateTime(++cycle);
  act->clearQueue();
  fake.sent.clear();
  return act;
}

std::vector<int> counts(const Actuator* act) {
  std::vector<int> c(11);
  act->getCounts(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10]);
  return c;
}
enum { KICK, DASH, TURN, CATCH, MOVE, NECK, VIEW, SAY, POINT, ATTENTION, TACKLE };

void setCounts(Actuator* act, const std::vector<int>& c) {
  act->setCounts(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10]);
}

SC changeView(ViewWidth::Width w, ViewQuality::Quality q) {
  return SC(SC::CMD_CHANGEVIEW, ViewWidth(w), ViewQuality(q));
}

} // namespace

TEST(Actuator, OneMessagePerCycleInSlotOrder) {
  Actuator* act = newDecision();
  act->sendActions();
  EXPECT_TRUE(fake.sent.empty());

  std::vector<int> before = counts(act);
  act->queueUp(SC(SC::CMD_TURNNECK, AngleDeg(30)));
  act->queueUp(SC(SC::CMD_CATCH, AngleDeg(30)));
  act->queueUp(SC(SC::CMD_DASH, 100)); // replaces the catch
  EXPECT_EQ("(dash 100.00)(turn_neck 30.00)", act->actionString());
  act->sendActions();
  EXPECT_EQ(std::vector<std::string>{"(dash 100.00)(turn_neck 30.00)"}, fake.sent);
  EXPECT_EQ(before[DASH] + 1, counts(act)[DASH]);

  // Not cleared, but stale in the next cycle.
  Timer::updateTime(++cycle);
  act->sendActions();
  EXPECT_EQ(1u, fake.sent.size());

  Timer::updateTime(120);
  act->queueUp(SC(SC::CMD_CATCH, AngleDeg(10)));
  act->sendActions();
  EXPECT_EQ(120, act->getLastCatchTime().serverTime());

  // A bye has no counter, but is sent.
  act = newDecision();
  act->queueUp(SC(SC::CMD_BYE));
  act->sendActions();
  EXPECT_EQ(std::vector<std::string>{"(bye)"}, fake.sent);
}

TEST(Actuator, ChangeViewHeldUntilTheSeePhase) {
  // Current mode (high, normal), sum 2: a lower sum goes out at once.
  Actuator* act = newDecision();
  act->queueUp(changeView(ViewWidth::S_narrow, ViewQuality::S_low));
  act->sendActions();
  EXPECT_EQ(std::vector<std::string>{"(change_view narrow low)"}, fake.sent);
  EXPECT_FALSE(act->isChangeViewPending());
  EXPECT_EQ(0, act->nextCycle(2, 5)); // after a change the phase just moves on
  EXPECT_EQ(Actuator::CYCLE_UNKNOWN, act->nextCycle(2, 5));

  // An equal sum, (low, normal) to (high, narrow), waits through later
  // decisions until the see phase allows.
  act = newDecision();
  act->setCurrentViewMode(ViewQuality(ViewQuality::S_low), ViewWidth(ViewWidth::S_normal));
  int views = counts(act)[VIEW];
  act->queueUp(changeView(ViewWidth::S_narrow, ViewQuality::S_high));
  act->queueUp(SC(SC::CMD_DASH, 40));
  act->sendActions();
  EXPECT_EQ(std::vector<std::string>{"(dash 40.00)"}, fake.sent);
  Timer::updateTime(++cycle);
  act->clearQueue();
  act->sendActions();
  EXPECT_EQ(1u, fake.sent.size());
  EXPECT_TRUE(act->isChangeViewPending(ViewWidth::S_narrow, ViewQuality::S_high));
  EXPECT_FALSE(act->isChangeViewPending(ViewWidth::S_narrow, ViewQuality::S_low));
  EXPECT_EQ(views, counts(act)[VIEW]);
  act->sendPendingChangeView();
  act->sendPendingChangeView();
  EXPECT_EQ((std::vector<std::string>{"(dash 40.00)", "(change_view narrow high)"}), fake.sent);
  EXPECT_EQ(views + 1, counts(act)[VIEW]);

  // In synch mode it goes out at once.
  ServerParam::instance()->synch_mode = true;
  act = newDecision();
  act->queueUp(changeView(ViewWidth::S_wide, ViewQuality::S_high));
  act->sendActions();
  ServerParam::instance()->synch_mode = false;
  EXPECT_EQ(std::vector<std::string>{"(change_view wide high)"}, fake.sent);
}

TEST(Actuator, LostCommandsFromTheServersCounters) {
  Actuator* act = newDecision();
  act->queueUp(SC(SC::CMD_KICK, 50, AngleDeg(0)));
  act->queueUp(SC(SC::CMD_SAY, std::string("x")));
  act->sendActions();
  std::vector<int> own = counts(act), server = own;
  std::size_t lost = act->lostCommandsLastCycle();

  // At the next sense_body: each counter above the server's drops by one.
  Timer::updateTime(++cycle);
  server[KICK] -= 1;
  server[SAY] -= 2;
  server[ATTENTION] -= 1;
  setCounts(act, server);
  --own[KICK], --own[SAY], --own[ATTENTION];
  EXPECT_EQ(own, counts(act));
  ASSERT_EQ(lost + 2, act->lostCommandsLastCycle());
  EXPECT_EQ("(kick 50.00 0.00)", act->getLostCommands()[lost].str());
  EXPECT_EQ("(say x)", act->getLostCommands()[lost + 1].str());
  EXPECT_TRUE(act->getSentCommands()[0].valid()); // restamped

  // No kick in the slot: a warning, and the counter stays.
  act = newDecision();
  act->queueUp(SC(SC::CMD_DASH, 100));
  act->sendActions();
  server = counts(act);
  server[KICK] -= 1;
  server[NECK] -= 1;
  server[POINT] -= 1;
  setCounts(act, server);
  EXPECT_EQ(server[KICK] + 1, counts(act)[KICK]);
  EXPECT_EQ(lost + 2, act->lostCommandsLastCycle());
}

TEST(Actuator, SeePhase) {
  Actuator* act = newDecision();
  // The see messages in phases 0, 1 and 2 of each view mode, and the phase
  // that follows an unknown one after 0 to 3 see messages: known only when
  // one phase alone has that count.
  const struct {
    ViewQuality::Quality q;
    ViewWidth::Width w;
    const char* pattern;
    signed char fromUnknown[4];
  } modes[] = {{ViewQuality::S_high, ViewWidth::S_normal, "110", {0, -1, -1, -1}},
               {ViewQuality::S_low, ViewWidth::S_wide, "110", {0, -1, -1, -1}},
               {ViewQuality::S_high, ViewWidth::S_wide, "100", {-1, 1, -1, -1}},
               {ViewQuality::S_high, ViewWidth::S_narrow, "211", {-1, -1, 1, -1}},
               {ViewQuality::S_low, ViewWidth::S_normal, "211", {-1, -1, 1, -1}},
               {ViewQuality::S_low, ViewWidth::S_narrow, "332", {-1, -1, 0, -1}}};
  for (const auto& m : modes) {
    act->setCurrentViewMode(ViewQuality(m.q), ViewWidth(m.w));
    for (int see = 0; see <= 4; ++see) {
      EXPECT_EQ(see == 4 ? -1 : m.fromUnknown[see], act->nextCycle(-1, see)) << m.q << m.w << see;
      // A known phase moves on when the count fits it, else it is lost.
      for (int prev = 0; prev <= 2; ++prev)
        EXPECT_EQ(m.pattern[prev] - '0' == see ? (prev + 1) % 3 : -1, act->nextCycle(prev, see))
            << m.q << m.w << " prev " << prev << " see " << see;
    }
  }
  EXPECT_EQ(2, act->nextCycle(1, -1)); // unknown count: the phase moves on
  EXPECT_EQ(Actuator::CYCLE_UNKNOWN, act->nextCycle(-1, -1));
}
