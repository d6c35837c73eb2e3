#include "interface-swi/engine.h"

#include <SWI-Stream.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

#include "interface-swi/nametables.h"
#include "interface-swi/predicates.h"
#include "interface-swi/predicatesupport.h"
#include "interface-swi/savedstate.h"
#include "vomarlog/forwarder.h"

namespace {

// A state that is damaged inside makes the engine abort while it loads.
extern "C" void abort_start(int) { _exit(1); }

void logLine(const std::string& text) {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE_PROLOG) << text << "\n";
}

// The goal's name and arity, as the reports name it.
std::string goalName(predicate_t goal) {
  atom_t name = 0;
  size_t arity = 0;
  module_t module = nullptr;
  if (!PL_predicate_info(goal, &name, &arity, &module)) return "?";
  return std::string(PL_atom_chars(name)) + "/" + std::to_string(arity);
}

void reportException(predicate_t goal, term_t ex) {
  char* text = nullptr;
  std::string what = "unprintable exception";
  if (PL_get_chars(ex, &text, CVT_WRITEQ | BUF_STACK | REP_UTF8)) what = text;
  logLine("Prolog: " + goalName(goal) + " raised " + what);

  // The engine words its own errors best.
  static predicate_t print = PL_predicate("print_message", 2, "user");
  term_t args = PL_new_term_refs(2);
  if (PL_put_atom_chars(args, "error") && PL_put_term(args + 1, ex))
    PL_call_predicate(nullptr, PL_Q_NODEBUG | PL_Q_CATCH_EXCEPTION, print, args);
}

// The real path of the running program; empty when it cannot be read.
std::string executable_path() {
  std::vector<char> buf(4096);
  const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return std::string();
  return std::string(buf.data(), std::size_t(n));
}

// True when user:name/arity has a definition.
bool goal_defined(const char* name, int arity) {
  fid_t frame = PL_open_foreign_frame();
  static predicate_t current = PL_predicate("current_predicate", 1, "user");
  term_t qualified = PL_new_term_ref();
  term_t pi = PL_new_term_ref();
  const bool ok =
      PL_unify_term(pi, PL_FUNCTOR_CHARS, "/", 2, PL_CHARS, name, PL_INT, arity) &&
      PL_unify_term(qualified, PL_FUNCTOR_CHARS, ":", 2, PL_CHARS, "user", PL_TERM, pi) &&
      PL_call_predicate(nullptr, PL_Q_NODEBUG | PL_Q_CATCH_EXCEPTION, current, qualified);
  PL_discard_foreign_frame(frame);
  return ok;
}

// The engine would collect garbage in a thread of its own, started a few
// seconds into a match. Each of its threads carries a signal stack of the
// engine's own, which the address sanitizer takes for its own and fails to
// unmap when the thread ends with the engine's halt. Collected in the one
// thread that runs the agent program, a match's garbage costs no measurable
// time, and no thread of the engine is left to end. The saved state sets
// the engine's flags while it starts, so this comes after.
bool collect_in_this_thread() { return PL_set_prolog_flag("gc_thread", PL_BOOL, FALSE); }

} // namespace

void block_sigio() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGIO);
  sigprocmask(SIG_BLOCK, &set, nullptr);
}

void register_predicates() {
  fill_soccer_command_map();
  fill_play_mode_map();
  PL_register_extensions_in_module("user", predicates);
}

bool start_engine() {
  // The engine finds its state through argv[0]; a name it cannot resolve
  // would make it start without the agent program.
  static std::string exe = executable_path();
  if (exe.empty() || !carries_saved_state(exe)) {
    std::cerr << "tolvane: no intact agent program behind " << (exe.empty() ? "the executable" : exe)
              << std::endl;
    return false;
  }
  // The engine reads no options once a state is attached, except a
  // leading --home, which "--" stops.
  static char* argv[] = {&exe[0], const_cast<char*>("--"), nullptr};

  struct sigaction abortAction;
  struct sigaction previous;
  std::memset(&abortAction, 0, sizeof abortAction);
  abortAction.sa_handler = abort_start;
  sigaction(SIGABRT, &abortAction, &previous);
  const bool started = PL_initialise(2, argv);
  sigaction(SIGABRT, &previous, nullptr);
  if (!started || !collect_in_this_thread()) return false;
  // The engine takes the user's locale; the server reads '.' as the
  // decimal point.
  std::setlocale(LC_NUMERIC, "C");
  install_marker_atoms();
  install_formation_types();

  if (!goal_defined("init", 0) || !goal_defined("behave_midfielder", 0)) {
    std::cerr << "tolvane: the agent program behind " << exe << " lacks its entry goals"
              << std::endl;
    return false;
  }
  return true;
}

bool start_bare_engine() {
  static std::string exe = executable_path();
  static char options[] = "-q\0-f\0none\0-F\0none";
  static char* argv[] = {&exe[0], options, options + 3, options + 6, options + 11,
                         options + 14, nullptr};
  if (!PL_initialise(6, argv) || !collect_in_this_thread()) return false;
  install_marker_atoms();
  install_formation_types();
  return true;
}

bool run_goal(predicate_t goal) {
  std::fflush(stdout);
  fid_t frame = PL_open_foreign_frame();
  const int rc =
      PL_call_predicate(nullptr, PL_Q_NODEBUG | PL_Q_PASS_EXCEPTION, goal, 0);
  if (!rc) {
    term_t ex = PL_exception(0);
    if (ex) {
      term_t copy = PL_copy_term_ref(ex);
      PL_clear_exception();
      reportException(goal, copy);
    }
  }
  // A warning through the engine switches its tracer on, even inside a
  // goal run outside the debugger, and leaves it on after the goal.
  static predicate_t notrace = PL_predicate("notrace", 0, "system");
  PL_call_predicate(nullptr, PL_Q_NODEBUG | PL_Q_CATCH_EXCEPTION, notrace, 0);
  PL_discard_foreign_frame(frame);
  // Prolog's output stream buffers apart from C's.
  Sflush(Suser_output);
  return rc != 0;
}

#if defined(__SANITIZE_ADDRESS__)
// The engine keeps some of its allocations until the process ends without
// a reference the leak checker can follow; they are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libswipl.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif
