#include "interface-swi/commandlist.h"

#include <gtest/gtest.h>

#include <string>

#include "interface-swi/client.h"
#include "interface-swi/prolog.h"
#include "prologengine.h"
#include "testutil/logcapture.h"
#include "tolvane/actuator.h"
#include "tolvane/vekplayer.h"

namespace {

::testing::Environment* const engine = ::testing::AddGlobalTestEnvironment(new PrologEngine);

// What the queue would send after the goal, run on an empty queue.
std::string queued(const std::string& goal) {
  Actuator::instance()->clearQueue();
  EXPECT_TRUE(prove(goal)) << goal;
  return Actuator::instance()->actionString();
}

// Runs the goal, which must fail and queue nothing; returns its standard error.
std::string failureText(const std::string& goal) {
  Actuator::instance()->clearQueue();
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(prove(goal)) << goal;
  EXPECT_EQ(Actuator::instance()->actionString(), "") << goal;
  return ::testing::internal::GetCapturedStderr();
}

const std::string NO_COMMAND = "PL_queue_up/1 : can't get SoccerCommand ... exiting !\n";
const std::string NO_LIST = "PL_get_soccercommand/2 : can't get list ... exiting !\n";

// A player that has taken the init reply, so that the agent's side is known.
class SidedPlayer : public VekPlayer {
public:
  explicit SidedPlayer(const std::string& reply) {
    parse(reply);
    WM().includeSensed(WMS);
    client = this;
  }
  ~SidedPlayer() override { client = nullptr; }
};

} // namespace

// Every kind's list, and the same command queued again from it.
TEST(CommandList, ListsRoundTripThroughTheQueue) {
  SidedPlayer player("(init l 7 before_kick_off)");
  using C = SoccerCommand;
  using vekbase::AngleDeg;
  const struct {
    SoccerCommand cmd;
    const char* list;
  } cases[] = {
      {C(C::CMD_NONE), "[none]"},
      {C(C::CMD_DASH, 100.0), "[dash,100.0]"},
      {C(C::CMD_KICK, 50.0, AngleDeg(-30.0)), "[kick,50.0,-30.0]"},
      {C(C::CMD_MOVE, -10.5, 3.0), "[move,-10.5,3.0]"},
      {C(C::CMD_CATCH, AngleDeg(45.0)), "[catch,45.0]"},
      {C(C::CMD_TACKLE, 50.0), "[tackle,50.0]"},
      {C(C::CMD_TURN, AngleDeg(190.0)), "[turn,-170.0]"},
      {C(C::CMD_TURNNECK, AngleDeg(-30.0)), "[turnneck,-30.0]"},
      {C(C::CMD_CHANGEVIEW, vekbase::ViewWidth(vekbase::ViewWidth::S_narrow),
         vekbase::ViewQuality(vekbase::ViewQuality::S_low)),
       "[changeview,narrow,low]"},
      {C(C::CMD_SAY, std::string("b 10 20")), "[say,'b 10 20']"},
      {C(C::CMD_POINTTO, 10.0, AngleDeg(30.0)), "[pointto,10.0,30.0]"},
      {C(C::CMD_POINTTO, std::string("off")), "[pointto,off]"},
      {C(C::CMD_ATTENTIONTO, 7u, r), "[attentionto,r,7]"},
      {C(C::CMD_ATTENTIONTO, std::string("off")), "[attentionto,off]"},
      {C(C::CMD_SCORE), "[score]"},
      {C(C::CMD_SENSEBODY), "[sensebody]"},
      {C(C::CMD_BYE), "[bye]"},
      {C(C::CMD_DONE), "[]"},
  };
  testutil::LogCapture log({1900});
  for (const auto& c : cases) {
    EXPECT_EQ(c.list, listOf(c.cmd));
    if (c.cmd.command() != C::CMD_DONE) {
      EXPECT_EQ(c.cmd.str(), queued("queue_up(" + std::string(c.list) + ")")) << c.list;
    }
  }
  EXPECT_EQ("PL_get_soccercommand/2 : queueing of CMD_NONE was requested !\n", log.text());
}

TEST(QueueUp, KindIsDecidedByTheLettersOfTheWord) {
  SidedPlayer player("(init l 7 before_kick_off)");
  EXPECT_EQ(queued("queue_up([dash, 100])"), "(dash 100.00)");
  EXPECT_EQ(queued("queue_up([tornado, 10.0, ignored])"), "(turn_neck 10.00)");
  // An integer distance is no float: the arm drops.
  EXPECT_EQ(queued("queue_up([pointto, 10, 30.0])"), "(pointto off)");
  EXPECT_EQ(queued("queue_up([attentionto, our, 7])"), "(attentionto l 7)");
  EXPECT_EQ(queued("queue_up([attentionto, left, 7])"), "(attentionto l 7)");
  EXPECT_EQ(queued("queue_up([attentionto, their, 11])"), "(attentionto r 11)");
  // One command per slot: a second one of the same slot replaces the first.
  EXPECT_EQ(queued("queue_up([dash, 10]), queue_up([turnneck, 5]), queue_up([dash, 20])"),
            "(dash 20.00)(turn_neck 5.00)");
  EXPECT_EQ(queued("queue_up([dash, 10]), queue_up([kick, 20, 0])"), "(kick 20.00 0.00)");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(queued("queue_up([foo, 1.0])"), "");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "queueing of unknown command foo was requested !!!\n");
}

TEST(QueueUp, RefusedLists) {
  EXPECT_EQ(failureText("queue_up([attentionto, our, 7])"),
            "ERROR: PL_get_soccercommand/2 : attentionto: atom 'l' or 'r' expected for "
            "argument 2\n" + NO_COMMAND);
  SidedPlayer player("(init l 7 before_kick_off)");
  EXPECT_EQ(failureText("queue_up([attentionto, r, 12])"),
            "ERROR: PL_get_soccercommand/2 : attentionto: uniform number between 1 and 11 "
            "expected (value: 12) for argument 3\n" + NO_COMMAND);
  EXPECT_EQ(failureText("queue_up([kick, 50.0])"), NO_COMMAND);
  EXPECT_EQ(failureText("queue_up(dash)"), NO_LIST + NO_COMMAND);
  EXPECT_EQ(failureText("queue_up([7, 1.0])"), NO_LIST + NO_COMMAND);
  EXPECT_EQ(failureText("queue_up([kick, fast, 0.0])"),
            "ERROR: PL_get_soccercommand/2 : kick: float expected for argument 2\n" + NO_COMMAND);
  EXPECT_EQ(failureText("queue_up([move, a, 1.0])"),
            "ERROR: PL_get_soccercommand/2 : move :: float expected for argument 2\n" + NO_COMMAND);
  EXPECT_EQ(failureText("queue_up([move, 1.0, b])"),
            "ERROR: PL_get_soccercommand/2 : move: float expected for argument 3\n" + NO_COMMAND);
}

TEST(Entry, ExitLineNamesTeamAndShirtNumber) {
  SidedPlayer player("(init r 10 before_kick_off)");
  testutil::LogCapture log;
  log_exit_game();
  EXPECT_EQ(log.text(), "Tolvane(10): exit game\n");
}

TEST(PrologBehaviour, AGoalThatFailsOrRaisesKeepsWhatItQueued) {
  ASSERT_TRUE(prove("assertz((behave_midfielder :- queue_up([turn, 10]), X is foo + 1, X > 0))"));
  Prolog behaviour(nullptr);

  // No debugger: every cycle decides afresh and keeps its queued commands.
  for (int cycle = 0; cycle < 2; ++cycle) {
    Actuator::instance()->clearQueue();
    ::testing::internal::CaptureStderr();
    behaviour.process();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("foo/0"), std::string::npos);
    EXPECT_EQ(Actuator::instance()->actionString(), "(turn 10.00)");
  }
  ASSERT_TRUE(prove("retractall(behave_midfielder)"));
  // A wrong argument warns through the engine, which must not leave the
  // debugger on for the next cycle.
  ASSERT_TRUE(prove("assertz((behave_midfielder :- queue_up([dash, 5]), "
                    "queue_up([kick, fast, 0.0])))"));
  for (int cycle = 0; cycle < 2; ++cycle) {
    Actuator::instance()->clearQueue();
    ::testing::internal::CaptureStderr();
    behaviour.process();
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Actuator::instance()->actionString(), "(dash 5.00)");
    EXPECT_FALSE(prove("tracing"));
  }
}

// The engine's garbage is collected in the thread that runs the agent
// program: a thread of the engine's own, ended by its halt, leaves the
// sanitizer a signal stack it cannot unmap.
TEST(PrologBehaviour, TheEngineCollectsGarbageWithoutAThreadOfItsOwn) {
  ASSERT_TRUE(prove("forall(between(1, 200000, I), atom_number(_, I))"));
  EXPECT_TRUE(prove("statistics(agc, N), N > 0"));
  EXPECT_FALSE(prove("thread_property(_, alias(gc))"));
}
