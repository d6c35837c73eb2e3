#include "tolvane/vekoptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testutil/tempdir.h"

namespace {

struct Result {
  bool dontStart, badOption;
  std::string out, err;
};

// Runs the front end on a fresh object with the given words after the
// program name, capturing both output streams.
Result run(std::vector<std::string> words) {
  words.insert(words.begin(), "tolvane");
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(&w[0]);
  argv.push_back(nullptr);
  VekOptions opts;
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  opts.getOptions(int(words.size()), argv.data());
  Result r;
  r.err = testing::internal::GetCapturedStderr();
  r.out = testing::internal::GetCapturedStdout();
  r.dontStart = opts.dontStart;
  r.badOption = opts.badOption;
  return r;
}

const ClientParam* client() { return ClientParam::instance(); }

} // namespace

TEST(VekOptionsTest, FilesAndOptionsInCommandLineOrder) {
  testutil::TempDir tmp;
  const std::string cfile = tmp.file("client.conf", "team FromFile\nreconnect 7\n");
  EXPECT_FALSE(run({"--team", "FromLine", "-c", cfile}).dontStart);
  EXPECT_EQ("FromFile", client()->myTeamName());
  EXPECT_EQ(7, client()->reconnectUnum());
  run({"--cfile=" + cfile, "--team=B"});
  EXPECT_EQ("B", client()->myTeamName());

  const std::string sfile = tmp.file("server.conf", "port 6010\n");
  run({"-s", sfile});
  EXPECT_EQ(6010, ServerParam::instance()->portnum);
  run({"--port", "6020"});
  EXPECT_EQ(6020, ServerParam::instance()->portnum);
  run({"--sfile", sfile, "--player_types", "5"});
  EXPECT_EQ(6010, ServerParam::instance()->portnum);
  EXPECT_EQ(5, PlayerParam::instance()->playerTypes());

  const std::string ffile = tmp.file("form.conf", "formation 1\nx-position 1 2 3 4 5 6 7 8 9 10 11\n");
  const std::string ffile2 = tmp.file("form2.conf", "default-formation 1\n");
  run({"--ffile", ffile, "-f", ffile2});
  Formations::FormationParam* fp = Formations::FormationParam::instance();
  fp->setFormationType(Formations::FormationParam::DEFAULT);
  EXPECT_EQ(11.0, fp->currentFormation().getBaseXPosition(11));
  fp->setFormationType(Formations::FormationParam::SETUP);

  // The stores are ended again; the values stay.
  EXPECT_FALSE(ClientParam::instance()->isStarted());
  EXPECT_FALSE(fp->isStarted());
  EXPECT_EQ(client(), vekbase::BaseParams::instance()->getClientParams());
}

TEST(VekOptionsTest, LongOptionForms) {
  // An abbreviation, "=", and goalie, which takes no argument.
  Result r = run({"--log-level=20", "--recon", "4", "--goalie"});
  EXPECT_EQ(20u, client()->logLevel());
  EXPECT_EQ(4, client()->reconnectUnum());
  EXPECT_TRUE(client()->goalie());
  EXPECT_FALSE(r.dontStart);
  EXPECT_EQ("", r.err + r.out);
}

// Wrong input stops the start with a line naming it: a value refused on the
// command line or in any kind of file, a word that is no option, and client
// options that clash as finally set. A key a file's store lacks is only said.
TEST(VekOptionsTest, WrongInputStopsTheStart) {
  testutil::TempDir tmp;
  const std::string hint = "Try 'tolvane --help' for the list of options.\n";
  const std::string s = tmp.file("s.conf", "coach_port 0\n");
  const std::string decay = tmp.file("d.conf", "ball_decay 0.5\nball_decay 0\n");
  const std::string p = tmp.file("p.conf", "subs_max 3\n\nplayer_types -1\n");
  const std::string c = tmp.file("c.conf", "offline_monitor yes\n");
  const std::string f = tmp.file("f.conf", "formation 1\ny-position 0 0 0 0 0 0 0 0 0 0 1e308\n");
  const std::string unknown = tmp.file("u.conf", "# newer\nnew_key 3\nport 6001\n");
  const std::string replay = tmp.file("r.conf", "offline_monitor on\noffline_logfile g.rcg\n");
  const struct {
    std::vector<std::string> words;
    std::string err;  // "" for getopt_long's own line and the hint
    bool bad;
  } rows[] = {
      {{"--port", "0"}, "tolvane: invalid value '0' for option '--port'\n", true},
      {{"-s", s}, "tolvane: " + s + ":1: invalid value '0' for 'coach_port'\n", true},
      // Refused as from the server's parameter messages.
      {{"--stamina_max", "-1"}, "tolvane: invalid value '-1' for option '--stamina_max'\n", true},
      {{"--player_decay", "1"}, "tolvane: invalid value '1' for option '--player_decay'\n", true},
      {{"-s", decay}, "tolvane: " + decay + ":2: invalid value '0' for 'ball_decay'\n", true},
      {{"--player_types", "1,234"},
       "tolvane: invalid value '1,234' for option '--player_types'\n", true},
      {{"-p", p}, "tolvane: " + p + ":3: invalid value '-1' for 'player_types'\n", true},
      {{"-c", c}, "tolvane: " + c + ":1: invalid value 'yes' for 'offline_monitor'\n", true},
      {{"-f", f},
       "tolvane: " + f + ":2: invalid value '0 0 0 0 0 0 0 0 0 0 1e308' for 'y-position'\n", true},
      {{"-s", unknown}, "tolvane: " + unknown + ":2: unknown key 'new_key', skipped\n", false},
      {{"127.0.0.1", "7901"},
       "tolvane: unexpected argument '127.0.0.1'\ntolvane: unexpected argument '7901'\n" + hint,
       true},
      {{"--goalie", "off"}, "tolvane: unexpected argument 'off'\n" + hint, true},
      // Ambiguous, argument missing, unknown, and not taking an argument.
      {{"--print"}, "", true}, {{"--team"}, "", true}, {{"-x"}, "", true},
      {{"--goalie=yes"}, "", true},
      {{"-c", replay, "--online_monitor", "on"},
       "tolvane: --offline_monitor and --online_monitor exclude each other\n", true},
      {{"-c", replay, "--offline_logfile="},
       "tolvane: --offline_monitor on needs --offline_logfile\n", true},
      // Only a start that nothing else stopped is checked: one line.
      {{"--offline_monitor", "on", "--version", "7"},
       "tolvane: invalid value '7' for option '--version'\n", true},
      {{"-c", replay, "-s", unknown},
       "tolvane: " + unknown + ":2: unknown key 'new_key', skipped\n", false},
  };
  for (const auto& r : rows) {
    const Result got = run(r.words);
    // One client store per process: each row starts from its defaults.
    ClientParam::instance()->begin();
    ClientParam::instance()->end();
    EXPECT_EQ(r.bad, got.dontStart) << r.words[0];
    EXPECT_EQ(r.bad, got.badOption) << r.words[0];
    if (!r.err.empty())
      EXPECT_EQ(r.err, got.err);
    else
      EXPECT_EQ(got.err.find(hint), got.err.size() - hint.size()) << got.err;
  }
  // The options after a wrong one still take effect; the file's known keys
  // are read.
  run({"stray", "-s", unknown, "--team", "Later"});
  EXPECT_EQ("Later", client()->myTeamName());
  EXPECT_EQ(6001, ServerParam::instance()->portnum);
  // Parsing starts afresh on every call.
  Result again = run({"--team", "Again"});
  EXPECT_FALSE(again.dontStart || again.badOption);
  EXPECT_EQ("Again", client()->myTeamName());
}

TEST(VekOptionsTest, HelpAndListings) {
  Result help = run({"--help"});
  EXPECT_TRUE(help.dontStart);
  EXPECT_FALSE(help.badOption);
  EXPECT_EQ("", help.out);
  EXPECT_EQ("Usage: tolvane [options]\n\n"
            "Important options are:\n"
            "  -c, --cfile <FILE>          use <FILE> as client options file\n"
            "  -p, --pfile <FILE>          use <FILE> as player options file\n"
            "  -s, --sfile <FILE>          use <FILE> as server options file\n"
            "  -f, --ffile <FILE>          use <FILE> as formation file\n"
            "  -h, --help                  print this help text\n\n"
            "Client options, player options, and server options can be set by\n"
            "using an options file or by --option <ARGUMENT>\n\n"
            "Important client options are:\n"
            "  --host <HOSTNAME>        specify the machine the soccer server is running on\n"
            "  --reconnect <UNUM>       reconnect to the soccer server\n\n"
            "Specify --print-client-options to see all client options with current values.\n\n"
            "Player and server options are usually sent to the client after\n"
            "connecting to the server. An important server option however is\n"
            "  --port <PORT>            to specify the server port to connect to.\n\n"
            "Specify --print-player-options to see all player options with current values,\n"
            "        --print-server-options to see all server options with current values.\n"
            "Specify --print-all-options for a list of all options.\n\n"
            "Tolvane is an interface to the RoboCup Simulation League Soccer Server.\n"
            "For Tolvane updates and additional information, see\n"
            "   the Tolvane home page at https://example.org/tolvane/\n\n",
            help.err);
  EXPECT_EQ(help.err, run({"-h"}).err);

  Result c = run({"--print-client-options", "--team", "Listed"});
  EXPECT_TRUE(c.dontStart);
  EXPECT_EQ("", c.err);
  EXPECT_EQ(0u, c.out.find("team: Listed\nhost: "));

  EXPECT_EQ("", run({"--print-player-options"}).err);
  EXPECT_EQ("--- Server Options ---\n", run({"--print-server-options"}).err);
  EXPECT_EQ("## Formations\n", run({"--print-formations"}).err);
  EXPECT_EQ("--- Client Options ---\n--- Player Options ---\n",
            run({"--print-player-options", "--print-client-options"}).err);

  Result all = run({"--print-all-options"});
  EXPECT_TRUE(all.dontStart);
  EXPECT_EQ("--- Client Options ---\n--- Player Options ---\n--- Server Options ---\n## Formations\n",
            all.err);
  const std::size_t team = all.out.find("team: Tolvane\n");
  const std::size_t types = all.out.find("player_types: 7\n");
  const std::size_t port = all.out.find("\nport: 6000\n");
  const std::size_t roles = all.out.find("## List of role types:\n");
  EXPECT_TRUE(team == 0 && team < types && types < port && port < roles);
}
