#ifndef TESTS_INTERFACE_SWI_PROLOGENGINE_H
#define TESTS_INTERFACE_SWI_PROLOGENGINE_H

#include <SWI-Prolog.h>
#include <gtest/gtest.h>

#include <string>

#include "interface-swi/commandlist.h"
#include "interface-swi/engine.h"

// The engine, started once per test program as the entry starts it, but from
// the engine's own boot files instead of the agent program and with no init
// files of the user.
class PrologEngine : public ::testing::Environment {
public:
  void SetUp() override {
    register_predicates();
    ASSERT_TRUE(start_bare_engine());
  }
};

// Runs a goal given as text, as the agent program would; true on success.
inline bool prove(const std::string& goal) {
  fid_t frame = PL_open_foreign_frame();
  term_t t = PL_new_term_ref();
  static predicate_t call = PL_predicate("call", 1, "user");
  const bool ok = PL_chars_to_term(goal.c_str(), t) &&
                  PL_call_predicate(nullptr, PL_Q_NODEBUG | PL_Q_CATCH_EXCEPTION, call, t);
  PL_discard_foreign_frame(frame);
  return ok;
}

// The list the agent program receives for the command, as writeq prints it.
inline std::string listOf(const SoccerCommand& command) {
  fid_t frame = PL_open_foreign_frame();
  term_t list = PL_new_term_ref();
  char* text = nullptr;
  const std::string result =
      PL_get_sclist(command, list) && PL_get_chars(list, &text, CVT_WRITEQ | BUF_STACK) ? text : "fail";
  PL_discard_foreign_frame(frame);
  return result;
}

#endif
