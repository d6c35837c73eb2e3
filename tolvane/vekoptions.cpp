#include "tolvane/vekoptions.h"

#include <cstring>
#include <iostream>
#include <vector>

#include "tolvanebase/baseparams.h"
#include "tolvanebase/vekmath.h"

namespace {

const char* const HOME_PAGE = "https://example.org/tolvane/";

// Values of the fixed rows beyond the short-option letters.
enum {
  PRINT_ALL = 1000,
  PRINT_CLIENT = 1001,
  PRINT_PLAYER = 1002,
  PRINT_SERVER = 1003,
  PRINT_FORMATIONS = 1004
};

const struct option FIXED_ROWS[] = {
    {"sfile", required_argument, nullptr, 's'},
    {"pfile", required_argument, nullptr, 'p'},
    {"cfile", required_argument, nullptr, 'c'},
    {"ffile", required_argument, nullptr, 'f'},
    {"help", no_argument, nullptr, 'h'},
    {"print-all-options", no_argument, nullptr, PRINT_ALL},
    {"print-server-options", no_argument, nullptr, PRINT_SERVER},
    {"print-player-options", no_argument, nullptr, PRINT_PLAYER},
    {"print-client-options", no_argument, nullptr, PRINT_CLIENT},
    {"print-formations", no_argument, nullptr, PRINT_FORMATIONS},
};

// The usage text names -f and -h, so they are accepted beside -s, -p, -c.
const char* const SHORT_OPTIONS = "s:p:c:f:h";

// What keeps client options that are each fine from making a start
// together, or nothing: a replay serves its own monitor and has no server
// whose monitor stream could be relayed, and it needs a log to replay.
const char* contradiction(const ClientParam& cp) {
  if (!cp.offlineMonitor()) return nullptr;
  if (cp.onlineMonitor()) return "--offline_monitor and --online_monitor exclude each other";
  if (cp.offlineLogfile().empty()) return "--offline_monitor on needs --offline_logfile";
  return nullptr;
}

} // namespace

VekOptions::VekOptions() { init(); }

VekOptions::VekOptions(int argc, char* argv[]) {
  init();
  getOptions(argc, argv);
}

VekOptions::~VekOptions() {}

void VekOptions::init() {
  PP = PlayerParam::instance();
  SP = ServerParam::instance();
  CP = ClientParam::instance();
  PT = PlayertypeParam::instance(1);
  FP = Formations::FormationParam::instance();

  vekbase::BaseParams* bp = vekbase::BaseParams::instance();
  bp->registerClientParams(CP);
  bp->registerServerParams(SP);
  bp->registerPlayertypeParams(PT);

  printClientOptions = false;
  printPlayerOptions = false;
  printServerOptions = false;
  printFormations = false;
  dontStart = false;
  badOption = false;
}

void VekOptions::copyOptions(struct option& dest, const struct option& src) const {
  if (&dest == &src) return;
  dest.has_arg = src.has_arg;
  dest.flag = src.flag;
  dest.val = src.val;
  dest.name = src.name ? vekbase::c_string(src.name) : nullptr;
}

void VekOptions::getOptions(int argc, char* argv[]) {
  SP->begin();
  PP->begin();
  CP->begin();
  FP->begin();

  // Every row of the table owns its name.
  std::vector<struct option> table;
  for (const struct option& row : FIXED_ROWS) {
    table.emplace_back();
    copyOptions(table.back(), row);
  }
  // In the order of their valIds, 1 to 3.
  ParamReader* const stores[] = {SP, PP, CP};
  for (ParamReader* store : stores) {
    struct option* rows = nullptr;
    const int n = store->getOptionStruct(&rows);
    // The table takes over the rows' names.
    table.insert(table.end(), rows, rows + n);
    delete[] rows;
  }
  table.push_back({nullptr, 0, nullptr, 0});

  // getopt_long keeps its position between calls; 0 makes it start afresh.
  optind = 0;
  bool rejected = false;
  int c;
  int index = 0;
  while ((c = getopt_long(argc, argv, SHORT_OPTIONS, table.data(), &index)) != -1) {
    const std::string arg = optarg ? optarg : "";
    // A file the user named is the user's own input: a value refused in it
    // is as wrong as one on the command line, one line naming the file and
    // line, and the player does not start; so is a file that cannot be
    // read. A key the store lacks is said and skipped.
    const auto readFile = [&](ParamReader* store, const char* kind) {
      const bool read = store->getOptions(arg);
      for (const ParamReader::FileLine& u : store->unknownKeys())
        std::cerr << "tolvane: " << arg << ":" << u.number << ": unknown key '" << u.key
                  << "', skipped" << std::endl;
      if (read) return;
      const ParamReader::FileLine& r = store->refusedLine();
      if (r.number > 0)
        std::cerr << "tolvane: " << arg << ":" << r.number << ": invalid value '" << r.value
                  << "' for '" << r.key << "'" << std::endl;
      else
        std::cerr << "tolvane: cannot read the " << kind << " file " << arg << ": "
                  << store->whyUnread() << std::endl;
      dontStart = true;
      badOption = true;
    };
    switch (c) {
    case 's': readFile(SP, "server parameter"); break;
    case 'p': readFile(PP, "player parameter"); break;
    case 'c': readFile(CP, "client parameter"); break;
    case 'f': readFile(FP, "formation"); break;
    case 1:
    case 2:
    case 3: {
      // The row's value is its store's valId.
      ParamReader* const store = stores[c - 1];
      // A value the option refuses is as wrong as an unknown option: the
      // player must not go on with a default the user did not ask for.
      // The line names the option, so it needs no hint.
      if (!store->setParameter(table[index].name, arg)) {
        std::cerr << "tolvane: invalid value '" << arg << "' for option '--"
                  << table[index].name << "'" << std::endl;
        dontStart = true;
        badOption = true;
      }
      break;
    }
    case 'h':
      printHelp();
      dontStart = true;
      break;
    case PRINT_ALL:
      printClientOptions = printPlayerOptions = printServerOptions = printFormations = true;
      dontStart = true;
      break;
    case PRINT_CLIENT:
      printClientOptions = true;
      dontStart = true;
      break;
    case PRINT_PLAYER:
      printPlayerOptions = true;
      dontStart = true;
      break;
    case PRINT_SERVER:
      printServerOptions = true;
      dontStart = true;
      break;
    case PRINT_FORMATIONS:
      printFormations = true;
      dontStart = true;
      break;
    case '?':
      dontStart = true;
      rejected = true;
      break;
    default: break;
    }
  }
  // A word that is no option is no part of any: "tolvane 127.0.0.1 7901"
  // must not play on localhost:6000.
  for (int i = optind; i < argc; ++i) {
    std::cerr << "tolvane: unexpected argument '" << argv[i] << "'" << std::endl;
    dontStart = true;
    rejected = true;
  }
  // getopt_long has named each rejected word; one hint after them says
  // where the accepted ones are listed.
  if (rejected) {
    badOption = true;
    std::cerr << "Try 'tolvane --help' for the list of options." << std::endl;
  }
  // The client options as finally set, from files and the command line
  // alike; only a start that nothing else has stopped, so that one line
  // says what is wrong.
  if (!dontStart) {
    if (const char* why = contradiction(*CP)) {
      std::cerr << "tolvane: " << why << std::endl;
      dontStart = true;
      badOption = true;
    }
  }

  printOptions();

  for (struct option& row : table) delete[] row.name;
  SP->end();
  PP->end();
  CP->end();
  FP->end();
}

void VekOptions::printOptions() const {
  if (printClientOptions) {
    if (printPlayerOptions || printServerOptions) std::cerr << "--- Client Options ---" << std::endl;
    CP->printOptions();
  }
  if (printPlayerOptions) {
    if (printClientOptions || printServerOptions) std::cerr << "--- Player Options ---" << std::endl;
    PP->printOptions();
  }
  if (printServerOptions) {
    std::cerr << "--- Server Options ---" << std::endl;
    SP->printOptions();
  }
  if (printFormations) {
    std::cerr << "## Formations" << std::endl;
    FP->printOptions();
  }
}

void VekOptions::printHelp() const {
  std::cerr << "Usage: tolvane [options]\n" << std::endl;
  std::cerr << "Important options are:" << std::endl;
  std::cerr << "  -c, --cfile <FILE>          use <FILE> as client options file\n"
            << "  -p, --pfile <FILE>          use <FILE> as player options file\n"
            << "  -s, --sfile <FILE>          use <FILE> as server options file\n"
            << "  -f, --ffile <FILE>          use <FILE> as formation file\n"
            << "  -h, --help                  print this help text\n"
            << std::endl;
  std::cerr << "Client options, player options, and server options can be set by\n"
            << "using an options file or by --option <ARGUMENT>\n"
            << std::endl;
  std::cerr << "Important client options are:\n"
            << "  --host <HOSTNAME>        specify the machine the soccer"
            << " server is running on\n"
            << "  --reconnect <UNUM>       reconnect to the soccer server\n\n"
            << "Specify --print-client-options to see all client options with "
            << "current values.\n"
            << std::endl;
  std::cerr << "Player and server options are usually sent to the client after\n"
            << "connecting to the server. An important server option however is\n"
            << "  --port <PORT>            "
            << "to specify the server port to connect to.\n\n"
            << "Specify --print-player-options to see all player options with "
            << "current values,\n"
            << "        --print-server-options to see all server options with "
            << "current values.\n"
            << "Specify --print-all-options for a list of all options.\n"
            << std::endl;
  std::cerr << "Tolvane is an interface to the RoboCup Simulation League Soccer Server.\n"
            << "For Tolvane updates and additional information, see\n"
            << "   the Tolvane home page at " << HOME_PAGE << "\n"
            << std::endl;
}
