#ifndef TESTS_INTERFACE_SWI_PROLOGENGINE_H
#define TESTS_INTERFACE_SWI_PROLOGENGINE_H

#include <SWI-Prolog.h>
#include <gtest/gtest.h>

#include <string>

#include "interface-swi/engine.h"
#include "interface-swi/nametables.h"
#include "interface-swi/predicates.h"

// The engine, started once per test program as the entry starts it, but from
// the engine's own boot files instead of the agent program and with no init
// files of the user.
class PrologEngine : public ::testing::Environment {
public:
  void SetUp() override {
    fill_soccer_command_map();
    fill_play_mode_map();
    PL_register_extensions_in_module("user", predicates);
    static std::string exe = executable_path();
    static char options[] = "-q\0-f\0none\0-F\0none";
    static char* argv[] = {&exe[0], options, options + 3, options + 6, options + 11,
                           options + 14, nullptr};
    ASSERT_TRUE(PL_initialise(6, argv));
    install_marker_atoms();
    install_formation_types();
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

#endif
