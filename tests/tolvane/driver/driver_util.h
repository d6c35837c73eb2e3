#ifndef TESTS_TOLVANE_DRIVER_DRIVER_UTIL_H
#define TESTS_TOLVANE_DRIVER_DRIVER_UTIL_H

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "testutil/logcapture.h"
#include "testutil/recording.h"
#include "testutil/udpsocket.h"
#include "tolvane/clientparam.h"
#include "tolvane/connection.h"
#include "tolvane/serverparam.h"
#include "tolvane/vekplayer.h"
#include "tolvane/wmsensedstate.h"

// The player with its parser state and helpers opened up for the tests.
// A link that sends nowhere and never receives: for commands that must
// be sent somewhere while the test feeds the messages itself.
struct NullLink : Connection {
  bool open() override { return true; }
  void close() override {}
  bool sendMessage(const std::string&) override { return true; }
  bool sendMessage(const char*) override { return true; }
  bool sendInitializeMessage() override { return true; }
  bool waitForMessage(vekbase::TimevalXL) override { return false; }
};

struct TestPlayer : VekPlayer {
  using VekActions::TraceScope;
  using VekPlayer::initLogs;
  using VekPlayer::p1;
  using VekPlayer::parseParam;
  using VekPlayer::parseScore;
  using VekPlayer::parseString;
  using VekPlayer::seenThisCycle;
  using VekPlayer::side;
  using VekPlayer::flag_id;
  using VekPlayer::line_id;
  using VekPlayer::view_quality;
  using VekPlayer::view_width;
  using VekPlayer::step;
  using VekPlayer::untuned;
  using VekPlayer::waitForSeeTime;
  using VekPlayer::WMF;
  using VekPlayer::WMS;
};

// Whether the snapshot holds a complete sight.
struct SightPeek : WMSensedState {
  static bool committed(const WMSensedState& s) { return s.*(&SightPeek::sightInCurrentCycle); }
};

using testutil::LogCapture;
using testutil::recording;

// The first datagram of a recording that starts with head.
inline std::string firstOf(const std::vector<std::string>& lines, const std::string& head) {
  for (const std::string& l : lines)
    if (l.compare(0, head.size(), head) == 0) return l;
  return "";
}

// A soccer server on 127.0.0.1: it takes the init on one port and, like
// the real one, answers and plays from a second port. The script runs in
// a thread of its own while the player runs in the test's thread.
class FakeServer {
public:
  FakeServer()
      : initFd(testutil::loopbackUdpSocket(initPort)),
        gameFd(testutil::loopbackUdpSocket(gamePort)) {
    // The player's link raises SIGIO and blocks it only in its own thread;
    // the server's thread inherits the block from here.
    sigset_t sigio;
    sigemptyset(&sigio);
    sigaddset(&sigio, SIGIO);
    pthread_sigmask(SIG_BLOCK, &sigio, nullptr);
  }
  ~FakeServer() {
    if (thread.joinable()) thread.join();
    ::close(initFd);
    ::close(gameFd);
  }

  void run(std::function<void(FakeServer&)> script) {
    thread = std::thread([this, script] { script(*this); });
  }
  void join() { thread.join(); }

  // The next datagram to the init port, "" after waitMs.
  std::string receiveInit(int waitMs = 5000) { return receive(initFd, waitMs); }
  // The next datagram to the game port.
  std::string receive(int waitMs = 5000) { return receive(gameFd, waitMs); }
  // From the game port, NUL-terminated like the real server's.
  void send(const std::string& text) {
    testutil::sendDatagram(gameFd, text + std::string(1, '\0'), client);
  }

  // Where the player's datagrams came from.
  const sockaddr_in& clientAddress() const { return client; }

  int initPort;
  int gamePort;

private:
  std::string receive(int fd, int waitMs) { return testutil::receiveDatagram(fd, client, waitMs); }

  int initFd;
  int gameFd;
  sockaddr_in client{};
  std::thread thread;
};

// A sense_body of time t with nothing sent yet.
inline std::string senseBody(int t) {
  return "(sense_body " + std::to_string(t) +
         " (view_mode high normal) (stamina 8000 1) (speed 0 0) (head_angle 0) (kick 0) "
         "(dash 0) (turn 0) (say 0) (turn_neck 0) (catch 0) (move 0) (change_view 0) "
         "(arm (movable 0) (expires 0) (target 0 0) (count 0)) (tackle (expires 0) (count 0)))";
}

inline std::string nul(const std::string& text) {
  return text + std::string(1, '\0');
}

// The player talks to server (as team "Blue", no reconnect) with a sense_body
// step of sbStepMs.
inline void configure(const FakeServer& server, int sbStepMs) {
  ClientParam* cp = ClientParam::instance();
  cp->host = "127.0.0.1";
  cp->my_team_name = "Blue";
  cp->reconnect_unum = 0;
  ServerParam::instance()->portnum = server.initPort;
  ServerParam::instance()->sb_step = sbStepMs;
}

#endif
