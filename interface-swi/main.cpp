#include <SWI-Prolog.h>

#include "interface-swi/client.h"
#include "interface-swi/engine.h"
#include "interface-swi/prolog.h"
#include "tolvane/vekplayer.h"
#include "vomarlog/forwarder.h"

namespace {

// Lives, like the player, until the engine ends the process.
Prolog* behavior = nullptr;

} // namespace

int main(int argc, char* argv[]) {
  block_sigio();

  register_predicates();

  // The player reads the command line while it is made, so that the choice
  // of link (live, offline replay, monitor relay) follows it; it is not
  // read a second time, which would apply its parameter files twice.
  client = new VekPlayer(argc, argv);
  behavior = new Prolog(client);

  if (!start_engine()) {
    // An engine that never came up cannot be halted.
    if (PL_is_initialised(nullptr, nullptr)) PL_halt(1);
    return 1;
  }

  // A start that failed has said why; its status must not read as a
  // played match: 2 for a wrong command line, as command-line programs
  // do, 1 when no server took the player, or a replay broke off.
  int status = 0;
  if (client->initBehave(behavior))
    status = client->mainloop() ? 0 : 1;
  else if (client->badOption)
    status = 2;
  else if (!client->dontStart)
    status = 1;

  log_exit_game();
  // The log files belong to the player, which is never destroyed.
  vomar::Forwarder::instance(8192)->flush();

  PL_halt(status);
  return status;
}
