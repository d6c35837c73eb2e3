#ifndef TESTS_INTERFACE_SWI_PREDHARNESS_H
#define TESTS_INTERFACE_SWI_PREDHARNESS_H

// Goal-level tests of the foreign predicates: the skill fixture's world,
// reached by the predicates through `client` as in the running program.
//
//   TEST_F(PredicateTest, Example) {
//     ball({3, 4});
//     EXPECT_EQ("ball_distance(5.0)", solve("ball_distance(D)"));
//     EXPECT_EQ("fail", solve("ball_kickable_for_player(q, 3, 0.1)"));
//     EXPECT_EQ("ERROR: ...\n", err);
//   }

#include <SWI-Prolog.h>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "interface-swi/client.h"
#include "interface-swi/commandlist.h"
#include "prologengine.h"
#include "tests/tolvane/skills/skillfixture.h"
#include "tolvane/vekplayer.h"

namespace predtest {

// The vector converter's warning about a first coordinate that is no number.
const std::string NO_X = "ERROR: PL_get_vector2D/3: float expected for argument 1\n";

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
    with(goal, [&](term_t t) {
      char* text = nullptr;
      if (PL_get_chars(t, &text, CVT_WRITEQ | BUF_STACK)) result = text;
    });
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

  // A goal with its answer as solve() gives it and what it writes to
  // standard error. A goal that fails with a warning has stopped at an
  // argument it could not read: no skill may have run.
  struct Answer {
    Answer(std::string g, std::string a, std::string e = "")
        : goal(std::move(g)), answer(std::move(a)), err(std::move(e)) {}
    std::string goal, answer, err;
  };
  void expectAnswers(std::initializer_list<Answer> answers) {
    for (const Answer& a : answers) {
      trace.clear();
      EXPECT_EQ(a.answer, solve(a.goal)) << a.goal;
      EXPECT_EQ(a.err, err) << a.goal;
      if (a.answer == "fail" && !a.err.empty()) {
        EXPECT_EQ("", trace.text()) << a.goal;
      }
    }
  }

  // The last k arguments of the solved goal as numbers (NaN where there is
  // none); empty when the goal fails.
  std::vector<double> last(const std::string& goal, std::size_t k) {
    std::vector<double> values;
    with(goal, [&](term_t t) {
      atom_t name;
      size_t arity = 0;
      PL_get_name_arity(t, &name, &arity);
      term_t a = PL_new_term_ref();
      for (size_t n = arity + 1 - k; n <= arity; ++n) {
        double v = std::numeric_limits<double>::quiet_NaN();
        if (PL_get_arg(n, t, a)) PL_get_float(a, &v);
        values.push_back(v);
      }
    });
    return values;
  }

  // The command list the solved goal binds to its last argument, as writeq
  // prints it, or "fail".
  std::string listOf(const std::string& goal) {
    std::string result = "fail";
    with(goal, [&](term_t t) {
      atom_t name;
      size_t arity = 0;
      term_t a = PL_new_term_ref();
      if (PL_get_name_arity(t, &name, &arity) && PL_get_arg(arity, t, a)) result = text(a);
    });
    return result;
  }
  // The list the agent program receives for the command.
  static std::string listOf(const SoccerCommand& command) {
    fid_t frame = PL_open_foreign_frame();
    term_t t = PL_new_term_ref();
    const std::string result = PL_get_sclist(command, t) ? text(t) : "fail";
    PL_discard_foreign_frame(frame);
    return result;
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

#endif
