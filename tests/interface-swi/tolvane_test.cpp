// The built program, with its agent program behind it, against a fake
// server on the loopback interface.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "testutil/udpsocket.h"
#include "tests/tolvane/replay/replay_util.h"

extern char** environ;

namespace {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string bytes(std::size_t(in ? std::streamoff(in.tellg()) : 0), '\0');
  in.seekg(0);
  in.read(&bytes[0], std::streamsize(bytes.size()));
  return bytes;
}

// A scratch directory for the program's output and for damaged copies.
struct ScratchDir {
  ScratchDir() {
    char pattern[] = "/tmp/tolvane_test.XXXXXX";
    path = mkdtemp(pattern);
  }
  ~ScratchDir() {
    for (const char* f : {"/out", "/err", "/program"}) unlink((path + f).c_str());
    rmdir(path.c_str());
  }
  std::string path;
};

// The server's end: a UDP socket on a free loopback port.
struct FakeServer {
  FakeServer() : fd(testutil::loopbackUdpSocket(port)) {}
  ~FakeServer() { close(fd); }

  // The next datagram's text, "" when none comes in time.
  std::string receive(int millis) {
    const std::string bytes = testutil::receiveDatagram(fd, peer, std::max(millis, 1));
    return bytes.substr(0, bytes.find('\0'));
  }

  void reply(const std::string& text) { testutil::sendDatagram(fd, text + '\0', peer); }

  int port;
  int fd;
  sockaddr_in peer{};
};

// One run of a player on the server at port of 127.0.0.1, whose main loop
// gives up after sixty waits of 2 ms; standard output and error go to files.
struct Player {
  Player(const std::string& program, int port, std::vector<std::string> more,
         const ScratchDir& dir)
      : out(dir.path + "/out"), err(dir.path + "/err") {
    std::vector<std::string> args = {program, "--host", "127.0.0.1", "--port",
                                     std::to_string(port), "--sense_body_step", "2"};
    args.insert(args.end(), more.begin(), more.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&fa, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // A host name that no name server answers for must fail within the
    // test's patience, not after the resolver's default retries.
    std::vector<char*> env;
    for (char** e = environ; *e; ++e) env.push_back(*e);
    std::string resolver = "RES_OPTIONS=timeout:1 attempts:1";
    env.push_back(&resolver[0]);
    env.push_back(nullptr);
    if (posix_spawn(&pid, program.c_str(), &fa, nullptr, argv.data(), env.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&fa);
  }
  ~Player() {
    if (pid > 0 && kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
  }

  // The exit status, or -1 when the program has not ended within 5 s.
  int status() {
    for (int i = 0; pid > 0 && i < 1000; ++i) {
      int st = 0;
      if (waitpid(pid, &st, WNOHANG) == pid) {
        pid = -1;
        return WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
  }

  pid_t pid = -1;
  std::string out;
  std::string err;
};

} // namespace

TEST(Tolvane, HandshakeRunsInitOnceAndEndsWhenTheServerFallsSilent) {
  FakeServer server;
  ScratchDir dir;
  // Parameter files are the agent's business, never the engine's.
  Player player(TOLVANE_EXECUTABLE, server.port, {"-s", "/nonexistent", "-p", "/nonexistent"}, dir);
  EXPECT_EQ(server.receive(3000), "(init Tolvane (version 8.04))");
  server.reply("(init l 7 before_kick_off)");
  EXPECT_EQ(server.receive(3000), "(clang (ver 8 8))");
  EXPECT_EQ(player.status(), 0) << readFile(player.err);
  EXPECT_EQ(readFile(player.out), "init\n");
}

TEST(Tolvane, HelpPrintsUsageAndSendsNothing) {
  FakeServer server;
  ScratchDir dir;
  Player player(TOLVANE_EXECUTABLE, server.port, {"--help"}, dir);
  EXPECT_EQ(player.status(), 0);
  EXPECT_EQ(readFile(player.err).rfind("Usage: tolvane [options]\n", 0), 0u);
  EXPECT_EQ(server.receive(50), "");
}

TEST(Tolvane, WithoutAnIntactAgentProgramNothingStarts) {
  ScratchDir dir;
  const std::string program = dir.path + "/program";
  const std::string whole = readFile(TOLVANE_EXECUTABLE);
  // Cut off, then damaged inside the compressed program.
  std::string copies[] = {whole.substr(0, whole.size() - 1000), whole};
  copies[1].replace(whole.size() - 40000, 8, "XXXXXXXX");
  for (const std::string& bytes : copies) {
    std::ofstream(program, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    chmod(program.c_str(), 0755);
    FakeServer server;
    Player player(program, server.port, {}, dir);
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
      {{"--goalie"},
       "(init Tolvane (version 8.04) (goalie))",
       "(error no_more_team_or_player_or_goalie)"},
      {{"--team", "a b"}, "(init a b (version 8.04))", "(error illegal_teamname)"},
      {{"--reconnect", "4"}, "(reconnect Tolvane 4)", "(error reconnect)"},
  };
  for (const auto& c : cases) {
    FakeServer server;
    ScratchDir dir;
    Player player(TOLVANE_EXECUTABLE, server.port, c.more, dir);
    EXPECT_EQ(server.receive(3000), c.init);
    server.reply(c.refusal);
    EXPECT_EQ(player.status(), 1);
    const std::string word = c.refusal.substr(7, c.refusal.size() - 8);
    EXPECT_EQ(readFile(player.err), "tolvane: refused by the server at 127.0.0.1:" +
                                        std::to_string(server.port) + ": " + word + "\n");
    EXPECT_EQ(server.receive(50), "") << "nothing after the refusal";
  }
}

TEST(Tolvane, NoServerEndsWithOneLineAndStatusOne) {
  ScratchDir dir;
  int closedPort = 0;
  close(testutil::loopbackUdpSocket(closedPort));
  Player silent(TOLVANE_EXECUTABLE, closedPort, {}, dir);
  EXPECT_EQ(silent.status(), 1);
  EXPECT_EQ(readFile(silent.err),
            "tolvane: no reply from 127.0.0.1:" + std::to_string(closedPort) + "\n");

  // A name that the resolver refuses at once, without asking a name server.
  Player nameless(TOLVANE_EXECUTABLE, closedPort, {"--host", "999.999.999.999"}, dir);
  EXPECT_EQ(nameless.status(), 1);
  const std::string err = readFile(nameless.err);
  EXPECT_EQ(err.rfind("tolvane: cannot resolve the host name 999.999.999.999: ", 0), 0u)
      << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

// A wrong command line: getopt's word, the hint, status 2 and no init.
TEST(Tolvane, BadOptionsEndWithTheHintAndStatusTwo) {
  for (const std::string bad : {"--no-such-option", "--print", "--team", "-x", "--port=abc"}) {
    FakeServer server;
    ScratchDir dir;
    Player player(TOLVANE_EXECUTABLE, server.port, {bad}, dir);
    EXPECT_EQ(player.status(), 2) << bad;
    const std::string err = readFile(player.err);
    const std::string hint = "\nTry 'tolvane --help' for the list of options.\n";
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    EXPECT_EQ(err.substr(err.size() - std::min(err.size(), hint.size())), hint) << err;
    EXPECT_EQ(server.receive(50), "") << bad;
  }
}

// A recorded game replayed through one player's eyes, as the README says,
// to a monitor on 127.0.0.1; the log, cut inside its seventh show record,
// ends the replay with status 0.
TEST(Tolvane, ReplaysARecordedLogToItsMonitor) {
  ScratchDir dir;
  const std::string log = dir.path + "/program";  // removed with the directory
  std::ofstream(log, std::ios::binary)
      << readFile(std::string(TOLVANE_DATA_DIR) + "/game-v3.rcg").substr(0, 12000);
  const int port = testutil::freeLoopbackPort();
  replaytest::FakeMonitor monitor;
  monitor.connectLater(port, "(dispinit version 2)");
  Player player(TOLVANE_EXECUTABLE, testutil::freeLoopbackPort(),
                {"--offline_monitor", "on", "--offline_logfile", log, "--offline_player", "12",
                 "--monitor_port", std::to_string(port)},
                dir);
  monitor.join();
  std::vector<int> times;
  for (std::string d = monitor.receive(4000); !d.empty(); d = monitor.receive(500))
    if (d.size() == 2056) times.push_back((std::uint8_t(d[1468]) << 8) | std::uint8_t(d[1469]));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5, 6}), times);
  EXPECT_EQ(player.status(), 0) << readFile(player.err);
  EXPECT_NE(readFile(player.out).find("the monitor connected.\n"), std::string::npos);
}
