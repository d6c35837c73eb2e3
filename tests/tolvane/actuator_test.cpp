#include "tolvane/actuator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testutil/logcapture.h"
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

FakeLink& link() {
  static FakeLink theLink;
  return theLink;
}

std::string logOf(unsigned short zone, void (*what)(Actuator*)) {
  testutil::LogCapture capture({zone});
  what(Actuator::instance());
  return capture.text();
}

int cycle = 1000;

// A decision in a new cycle, view mode (high, normal), nothing held back.
Actuator* newDecision() {
  Actuator* act = Actuator::instance(&link());
  act->setCurrentViewMode(ViewQuality(ViewQuality::S_high), ViewWidth(ViewWidth::S_normal));
  act->sendPendingChangeView();
  act->nextCycle(0, -1);
  Timer::updateTime(++cycle);
  act->clearQueue();
  link().sent.clear();
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
  newDecision();
  EXPECT_EQ(std::string::npos, logOf(1041, [](Actuator* a) { a->sendActions(); }).find("sent"));
  EXPECT_TRUE(link().sent.empty());

  Actuator* act = newDecision();
  EXPECT_EQ(-100, act->getLastCatchTime().serverTime());
  std::vector<int> before = counts(act);
  act->queueUp(SC(SC::CMD_TURNNECK, AngleDeg(30)));
  act->queueUp(SC(SC::CMD_CATCH, AngleDeg(30)));
  act->queueUp(SC(SC::CMD_DASH, 100)); // replaces the catch
  EXPECT_EQ("(dash 100.00)(turn_neck 30.00)", act->actionString());
  std::string log = logOf(1041, [](Actuator* a) { a->sendActions(); });
  EXPECT_NE(std::string::npos, log.find("sent (dash 100.00)(turn_neck 30.00) to server"));
  EXPECT_EQ(std::vector<std::string>{"(dash 100.00)(turn_neck 30.00)"}, link().sent);
  EXPECT_EQ(before[DASH] + 1, counts(act)[DASH]);
  EXPECT_EQ(before[CATCH], counts(act)[CATCH]);

  // Not cleared, but stale in the next cycle.
  Timer::updateTime(++cycle);
  act->sendActions();
  EXPECT_EQ(1u, link().sent.size());

  Timer::updateTime(120);
  act->queueUp(SC(SC::CMD_CATCH, AngleDeg(10)));
  act->sendActions();
  EXPECT_EQ(120, act->getLastCatchTime().serverTime());

  // A bye has no counter: reported, but sent.
  act = newDecision();
  act->queueUp(SC(SC::CMD_BYE));
  log = logOf(1040, [](Actuator* a) { a->sendActions(); });
  EXPECT_NE(std::string::npos, log.find("unknown command in sendCommandQueue\n"));
  EXPECT_EQ(std::vector<std::string>{"(bye)"}, link().sent);
}

TEST(Actuator, ChangeViewHeldUntilTheSeePhase) {
  // Current mode (high, normal), sum 2: a lower sum goes out at once.
  Actuator* act = newDecision();
  act->queueUp(changeView(ViewWidth::S_narrow, ViewQuality::S_low));
  act->sendActions();
  EXPECT_EQ(std::vector<std::string>{"(change_view narrow low)"}, link().sent);
  EXPECT_FALSE(act->isChangeViewPending());
  EXPECT_EQ(0, act->nextCycle(2, 5)); // after a change the phase just moves on
  EXPECT_EQ(Actuator::CYCLE_UNKNOWN, act->nextCycle(2, 5));

  // An equal or higher sum waits through later decisions until the see
  // phase allows: (low, normal) to (high, narrow), (high, normal) to (high, wide).
  act = newDecision();
  act->setCurrentViewMode(ViewQuality(ViewQuality::S_low), ViewWidth(ViewWidth::S_normal));
  act->queueUp(changeView(ViewWidth::S_narrow, ViewQuality::S_high));
  act->sendActions();
  EXPECT_TRUE(act->isChangeViewPending(ViewWidth::S_narrow, ViewQuality::S_high));
  act = newDecision();
  int views = counts(act)[VIEW];
  act->queueUp(changeView(ViewWidth::S_wide, ViewQuality::S_high));
  act->queueUp(SC(SC::CMD_DASH, 40));
  act->sendActions();
  EXPECT_EQ(std::vector<std::string>{"(dash 40.00)"}, link().sent);
  Timer::updateTime(++cycle);
  act->clearQueue();
  act->sendActions();
  EXPECT_EQ(1u, link().sent.size());
  EXPECT_TRUE(act->isChangeViewPending(ViewWidth::S_wide, ViewQuality::S_high));
  EXPECT_FALSE(act->isChangeViewPending(ViewWidth::S_wide, ViewQuality::S_low));
  EXPECT_EQ(views, counts(act)[VIEW]);
  act->sendPendingChangeView();
  act->sendPendingChangeView();
  EXPECT_EQ((std::vector<std::string>{"(dash 40.00)", "(change_view wide high)"}), link().sent);
  EXPECT_EQ(views + 1, counts(act)[VIEW]);

  // In synch mode it goes out at once.
  ServerParam::instance()->synch_mode = true;
  act = newDecision();
  act->queueUp(changeView(ViewWidth::S_wide, ViewQuality::S_high));
  act->sendActions();
  ServerParam::instance()->synch_mode = false;
  EXPECT_EQ(std::vector<std::string>{"(change_view wide high)"}, link().sent);
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
  std::vector<int> now = counts(act);
  EXPECT_EQ(own[KICK] - 1, now[KICK]);
  EXPECT_EQ(own[SAY] - 1, now[SAY]);
  EXPECT_EQ(own[ATTENTION] - 1, now[ATTENTION]);
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
  static std::vector<int> s;
  s = server;
  std::string log = logOf(1040, [](Actuator* a) { setCounts(a, s); });
  EXPECT_NE(std::string::npos, log.find("expected command of type CMD_KICK in sendCommandQueue\n"));
  EXPECT_NE(std::string::npos, log.find("expected command of type CMD_POINT in sendCommandQueue\n"));
  EXPECT_EQ(std::string::npos, log.find("TURNNECK"));
  EXPECT_EQ(server[KICK] + 1, counts(act)[KICK]);
  EXPECT_EQ(lost + 2, act->lostCommandsLastCycle());
}

TEST(Actuator, SeePhase) {
  Actuator* act = newDecision();
  // Next phase by [previous phase + 1][see messages], for the patterns
  // 1 1 0, 1 0 0, 2 1 1 and 3 3 2.
  const signed char p110[4][4] = {{0, -1, -1, -1}, {-1, 1, -1, -1}, {-1, 2, -1, -1}, {0, -1, -1, -1}};
  const signed char p100[4][4] = {{-1, 1, -1, -1}, {-1, 1, -1, -1}, {2, -1, -1, -1}, {0, -1, -1, -1}};
  const signed char p211[4][4] = {{-1, -1, 1, -1}, {-1, -1, 1, -1}, {-1, 2, -1, -1}, {-1, 0, -1, -1}};
  const signed char p332[4][4] = {{-1, -1, 0, -1}, {-1, -1, -1, 1}, {-1, -1, -1, 2}, {-1, -1, 0, -1}};
  const struct {
    ViewQuality::Quality q;
    ViewWidth::Width w;
    const signed char (*next)[4];
  } modes[] = {{ViewQuality::S_high, ViewWidth::S_normal, p110},
               {ViewQuality::S_low, ViewWidth::S_wide, p110},
               {ViewQuality::S_high, ViewWidth::S_wide, p100},
               {ViewQuality::S_high, ViewWidth::S_narrow, p211},
               {ViewQuality::S_low, ViewWidth::S_normal, p211},
               {ViewQuality::S_low, ViewWidth::S_narrow, p332}};
  for (const auto& m : modes) {
    act->setCurrentViewMode(ViewQuality(m.q), ViewWidth(m.w));
    for (int prev = -1; prev <= 2; ++prev) {
      for (int see = 0; see <= 4; ++see) {
        EXPECT_EQ(see == 4 ? -1 : m.next[prev + 1][see],
                  act->nextCycle(static_cast<signed char>(prev), see))
            << m.q << m.w << " prev " << prev << " see " << see;
      }
    }
  }
  EXPECT_EQ(2, act->nextCycle(1, -1)); // unknown count: the phase moves on
  EXPECT_EQ(Actuator::CYCLE_UNKNOWN, act->nextCycle(-1, -1));
}
