// The built program, with its agent program behind it, against a fake
// server on the loopback interface.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "program.h"
#include "tests/tolvane/replay/replay_util.h"

using programtest::FakeServer;
using programtest::Program;
using replaytest::readFile;
using testutil::TempDir;

namespace {

// The options of a player on the server at port of 127.0.0.1, whose main
// loop gives up after sixty waits of 2 ms.
std::vector<std::string> on(int port, std::vector<std::string> more = {}) {
  std::vector<std::string> args = {"--host", "127.0.0.1", "--port", std::to_string(port),
                                   "--sense_body_step", "2"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

} // namespace

TEST(Tolvane, HandshakeRunsInitOnceAndEndsWhenTheServerFallsSilent) {
  FakeServer server;
  TempDir dir;
  // Parameter files are the agent's business, never the engine's.
  Program player(TOLVANE_EXECUTABLE, on(server.port, {"-s", "/nonexistent", "-p", "/nonexistent"}),
                 dir);
  EXPECT_EQ(server.receive(), "(init Tolvane (version 8.04))");
  server.reply("(init l 7 before_kick_off)");
  EXPECT_EQ(server.receive(), "(clang (ver 8 8))");
  EXPECT_EQ(player.status(), 0) << readFile(player.err);
  EXPECT_EQ(readFile(player.out), "init\n");
}

// A start that ends at the command line sends nothing: status 0 after the
// help, 2 after getopt's line and the hint for a wrong option.
TEST(Tolvane, CommandLinesThatEndTheStart) {
  const std::string hint = "\nTry 'tolvane --help' for the list of options.\n";
  for (const std::string option : {"--help", "--no-such-option", "--port=abc"}) {
    FakeServer server;
    TempDir dir;
    Program player(TOLVANE_EXECUTABLE, on(server.port, {option}), dir);
    const int status = player.status();
    const std::string err = readFile(player.err);
    if (option == "--help") {
      EXPECT_EQ(status, 0);
      EXPECT_EQ(err.rfind("Usage: tolvane [options]\n", 0), 0u);
    } else {
      EXPECT_EQ(status, 2) << option;
      EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
      EXPECT_EQ(err.substr(err.size() - std::min(err.size(), hint.size())), hint) << err;
    }
    EXPECT_EQ(server.receive(50), "") << option;
  }
}

TEST(Tolvane, WithoutAnIntactAgentProgramNothingStarts) {
  TempDir dir;
  const std::string whole = readFile(TOLVANE_EXECUTABLE);
  // Cut off, then damaged inside the compressed program.
  std::string copies[] = {whole.substr(0, whole.size() - 1000), whole};
  copies[1].replace(whole.size() - 40000, 8, "XXXXXXXX");
  for (const std::string& bytes : copies) {
    const std::string program = dir.file("program", bytes);
    chmod(program.c_str(), 0755);
    FakeServer server;
    Program player(program, on(server.port), dir);
    EXPECT_EQ(player.status(), 1) << readFile(player.err);
    EXPECT_EQ(server.receive(0), "");
  }
}

// A player that was refused never played: one line saying why, status 1.
TEST(Tolvane, RefusalsEndWithTheServersWordAndStatusOne) {
  const struct {
    std::vector<std::string> more;
    std::string init, refusal;
  } cases[] = {
      {{}, "(init Tolvane (version 8.04))", "(error no_more_team)"},
      {{"--reconnect", "4"}, "(reconnect Tolvane 4)", "(error reconnect)"},
  };
  for (const auto& c : cases) {
    FakeServer server;
    TempDir dir;
    Program player(TOLVANE_EXECUTABLE, on(server.port, c.more), dir);
    EXPECT_EQ(server.receive(), c.init);
    server.reply(c.refusal);
    EXPECT_EQ(player.status(), 1);
    const std::string word = c.refusal.substr(7, c.refusal.size() - 8);
    EXPECT_EQ(readFile(player.err), "tolvane: refused by the server at 127.0.0.1:" +
                                        std::to_string(server.port) + ": " + word + "\n");
    EXPECT_EQ(server.receive(50), "") << "nothing after the refusal";
  }
}

TEST(Tolvane, NoServerEndsWithOneLineAndStatusOne) {
  TempDir dir;
  int closedPort = 0;
  close(testutil::loopbackUdpSocket(closedPort));
  Program silent(TOLVANE_EXECUTABLE, on(closedPort), dir);
  EXPECT_EQ(silent.status(), 1);
  EXPECT_EQ(readFile(silent.err),
            "tolvane: no reply from 127.0.0.1:" + std::to_string(closedPort) + "\n");

  // A name that the resolver refuses at once, without asking a name server.
  Program nameless(TOLVANE_EXECUTABLE, on(closedPort, {"--host", "999.999.999.999"}), dir);
  EXPECT_EQ(nameless.status(), 1);
  const std::string err = readFile(nameless.err);
  EXPECT_EQ(err.rfind("tolvane: cannot resolve the host name 999.999.999.999: ", 0), 0u)
      << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

// A recorded game replayed through one player's eyes, as the README says,
// to a monitor on 127.0.0.1; the log, cut inside its seventh show record,
// ends the replay with status 0.
TEST(Tolvane, ReplaysARecordedLogToItsMonitor) {
  TempDir dir;
  const std::string log = dir.file(
      "game.rcg", readFile(std::string(TOLVANE_DATA_DIR) + "/game-v3.rcg").substr(0, 12000));
  const int port = testutil::freeLoopbackPort();
  replaytest::FakeMonitor monitor;
  monitor.connectLater(port, "(dispinit version 2)");
  Program player(TOLVANE_EXECUTABLE,
                 on(testutil::freeLoopbackPort(),
                    {"--offline_monitor", "on", "--offline_logfile", log, "--offline_player", "12",
                     "--monitor_port", std::to_string(port)}),
                 dir);
  monitor.join();
  std::vector<int> times;
  for (std::string d = monitor.receive(4000); !d.empty(); d = monitor.receive(500))
    if (d.size() == 2056) times.push_back((std::uint8_t(d[1468]) << 8) | std::uint8_t(d[1469]));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6}), times);
  EXPECT_EQ(player.status(), 0) << readFile(player.err);
  EXPECT_NE(readFile(player.out).find("the monitor connected.\n"), std::string::npos);
}
