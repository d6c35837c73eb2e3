#ifndef TESTS_INTERFACE_SWI_PREDHARNESS_H
#define TESTS_INTERFACE_SWI_PREDHARNESS_H

// Goal-level tests of the foreign predicates: the skill fixture's world,
// reached by the predicates through `client` as in the running program.
//
//   TEST_F(PredicateTest, Example) {
//     ball({3, 4});
//     EXPECT_EQ("ball_distance(5.0)", solve("ball_distance(D)"));
//     expectRefused({"ball_kickable_for_player(q, 3, 0.1)"});
//   }

#include <SWI-Prolog.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "interface-swi/client.h"
#include "prologengine.h"
#include "tests/tolvane/skills/skillfixture.h"
#include "tolvane/vekplayer.h"

namespace predtest {

// The player the predicates find in `client`, answering with the fixture's
// world and sight instead of its own.
struct FixturePlayer : VekPlayer {
  explicit FixturePlayer(skilltest::Agent& a) : agent(a) {}
  UpdateableWMState& WM() override { return agent.world; }
  const UpdateableWMState& WM() const override { return agent.world; }
  bool seenThisCycle() const override { return agent.seen; }

  skilltest::Agent& agent;
};

// The opponents' side, which the skill fixture leaves undetermined.
struct TheirSide : UpdateableWMState {
  using WMState::theirSide;
};

class PredicateTest : public skilltest::SkillTest {
protected:
  PredicateTest() {
    client = &player;
    world.*(&TheirSide::theirSide) = r;
  }
  ~PredicateTest() override { client = nullptr; }

  // Runs the goal once, as the agent program would: the goal as writeq
  // prints it with its bindings, or "fail". err receives what went to
  // standard error, the engine's warnings included.
  std::string solve(const std::string& goal) {
    std::string result = "fail";
    with(goal, [&](term_t t) { result = text(t); });
    return result;
  }

  // The number bound to argument n (from 1) of the solved goal; NaN when
  // the goal fails.
  double number(const std::string& goal, int n) {
    double v = std::numeric_limits<double>::quiet_NaN();
    with(goal, [&](term_t t) {
      term_t a = PL_new_term_ref();
      if (!PL_get_arg(n, t, a) || !PL_get_float(a, &v)) ADD_FAILURE() << goal << ": arg " << n;
    });
    return v;
  }

  // A goal with its answer as solve() gives it and whether it writes to
  // standard error (the engine's warnings included). A goal that fails with
  // a warning has stopped at an argument it could not read: no skill may
  // have run.
  struct Answer {
    std::string goal, answer;
    bool warns = false;
  };
  void expectAnswers(std::initializer_list<Answer> answers) {
    for (const Answer& a : answers) {
      trace.clear();
      EXPECT_EQ(a.answer, solve(a.goal)) << a.goal;
      EXPECT_EQ(a.warns, !err.empty()) << a.goal << ": " << err;
      if (a.answer == "fail" && a.warns) {
        EXPECT_EQ("", trace.text()) << a.goal;
      }
    }
  }
  // Goals that fail with a warning about an argument.
  void expectRefused(std::initializer_list<const char*> goals) {
    for (const char* g : goals) expectAnswers({{g, "fail", true}});
  }

  // The arguments of the solved goal as writeq prints them; none when the
  // goal fails.
  std::vector<std::string> args(const std::string& goal) {
    std::vector<std::string> result;
    with(goal, [&](term_t t) {
      for (term_t a = PL_new_term_ref(); PL_get_arg(result.size() + 1, t, a);)
        result.push_back(text(a));
    });
    return result;
  }

  // A team-mate's say message heard in cycle `when`.
  void heard(const std::string& text, int when = 0) {
    world.getTeamMsg().setMsgString(text);
    world.getTeamMsg().setReceiveTime(vekbase::Timer(when, 0));
  }

  FixturePlayer player{agent};
  std::string err;

private:
  static std::string text(term_t t) {
    char* chars = nullptr;
    return PL_get_chars(t, &chars, CVT_WRITEQ | BUF_STACK) ? chars : "?";
  }
  template <class OnSuccess>
  void with(const std::string& goal, OnSuccess onSuccess) {
    static predicate_t call = PL_predicate("call", 1, "user");
    static predicate_t notrace = PL_predicate("notrace", 0, "system");
    fid_t frame = PL_open_foreign_frame();
    term_t t = PL_new_term_ref();
    ASSERT_TRUE(PL_chars_to_term(goal.c_str(), t)) << goal;
    ::testing::internal::CaptureStderr();
    const bool ok = PL_call_predicate(nullptr, PL_Q_NODEBUG | PL_Q_CATCH_EXCEPTION, call, t);
    // A warning leaves the engine's tracer on, as in the running program.
    PL_call_predicate(nullptr, PL_Q_NODEBUG | PL_Q_CATCH_EXCEPTION, notrace, 0);
    err = ::testing::internal::GetCapturedStderr();
    if (ok) onSuccess(t);
    PL_discard_foreign_frame(frame);
  }
};

// The engine, once per test program.
inline ::testing::Environment* const engine = ::testing::AddGlobalTestEnvironment(new PrologEngine);

} // namespace predtest

using predtest::PredicateTest;

#endif
