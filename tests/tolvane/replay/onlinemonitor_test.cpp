#include "tolvane/onlinemonitor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testutil/logcapture.h"
#include "tests/tolvane/replay/replay_util.h"
#include "tolvane/clientparam.h"
#include "tolvane/serverparam.h"
#include "vomarlog/forwarder.h"

using namespace replaytest;
using testutil::LogCapture;

namespace {

const std::string CLEAR("_2D_ CLEAR;\0", 12);

std::string firstShow(const char* capture, std::size_t skip = 0) {
  for (const std::string& f : monitorFrames(capture)) {
    if (f.size() < 2 || f[1] != SHOW_MODE) continue;
    if (skip-- == 0) return f;
  }
  return "";
}

sockaddr_in at(const char* host, int port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = inet_addr(host);
  a.sin_port = htons(static_cast<unsigned short>(port));
  return a;
}

// A drawing line logged in zone 0, pushed through to the drawing caches.
void logDrawing(const std::string& line) {
  vomar::Forwarder* fwd = vomar::Forwarder::instance(8192);
  fwd->zone(0) << line << std::string(9000, '\n') << std::flush;
}

} // namespace

TEST(MonitorTest, HandshakesRecordsAndDrawings) {
  const int port = testutil::freeLoopbackPort();
  Monitor server;
  server.setPortNum(port);
  ASSERT_TRUE(server.init());
  EXPECT_EQ(0, server.receiveMessage(nullptr, 0));

  // A repeated hello changes only the version.
  FakeMonitor v1, v2, v3, v0, changer, junk;
  const struct {
    FakeMonitor* from;
    std::string text;
  } handshakes[] = {{&v1, "(dispinit)"},
                    {&v2, std::string("(dispinit version 2)\0", 21)},
                    {&v3, "(dispinit version 3)"},
                    {&v0, "(dispinit version 0)"},
                    {&changer, "(dispinit version 2)"},
                    {&junk, "(dispinit version )"},
                    {&junk, "(dispinit me)"},
                    {&junk, "(dispinit version 99999999999)"},
                    {&junk, "(dispinit " + std::string(290, 'y')},
                    {&v2, "(dispinit version 2)"},
                    {&changer, "(dispinit)"}};
  for (const auto& h : handshakes) {
    ASSERT_TRUE(h.from->connect(port, h.text));
    EXPECT_EQ(int(std::min<std::size_t>(h.text.size(), 255)), server.receiveInfo());
  }
  std::vector<int> versions;
  for (const displist_t& m : server.monitors()) versions.push_back(m.version);
  EXPECT_EQ((std::vector<int>{1, 2, 3, 0, 1}), versions);

  // A show record in each monitor's layout; any other record to nobody.
  const std::string show1 = firstShow("monitor-v1.bin");
  const std::string show2 = firstShow("monitor-v2.bin");
  dispinfo_t old{};
  dispinfo_t2 rec{};
  decode(bytesOf(show1), old);
  decode(bytesOf(show2), rec);
  rec.mode = MSG_MODE;
  server.sendInfo(3, rec, old);
  rec.mode = SHOW_MODE;
  server.sendInfo(3, rec, old);
  EXPECT_EQ(show1, v1.receive());
  EXPECT_EQ(show2, v2.receive());
  EXPECT_EQ(show2, v3.receive());
  EXPECT_EQ(show2, v0.receive());

  // An empty datagram is no message: the next attempt reads on. Whoever
  // said no valid hello is not heard, a flood no further than 64 in a call.
  v1.send("");
  v3.send("(dispbye)");
  for (int i = 0; i < 66; ++i) junk.send("(dispstart)");
  v1.send("(dispbye)");
  char in[16] = {};
  EXPECT_EQ(9, server.receiveMessage(in, sizeof in));
  for (int size : {0, 9}) EXPECT_EQ(size, server.receiveMessage(in, sizeof in));
  EXPECT_EQ(66, server.strangersDropped());

  // Handshakes beyond 64 monitors are ignored.
  for (int i = 0; i < 64; ++i) {
    int crowdPort = 0;
    const int crowd = testutil::loopbackUdpSocket(crowdPort);
    testutil::sendDatagram(crowd, "(dispinit)", at("127.0.0.1", port));
    ::close(crowd);
    server.receiveInfo();
  }
  EXPECT_EQ(64u, server.monitors().size());

  // Without a socket no handshake can come: no wait.
  EXPECT_FALSE(Monitor().waitForConnection());
}

// The server's stream reaches the monitor byte for byte, a new cycle first
// clearing and redrawing; the monitor's datagrams reach the server.
TEST(OnlineMonitorTest, RelaysBetweenServerAndMonitor) {
  int serverPort = 0;
  const int serverFd = testutil::loopbackUdpSocket(serverPort);
  ClientParam::instance()->host = "127.0.0.1";
  ServerParam::instance()->portnum = serverPort;
  ClientParam::instance()->monitor_port = testutil::freeLoopbackPort();

  FakeMonitor monitor;
  monitor.connectLater(ClientParam::instance()->monitor_port, "(dispinit version 2)");
  OnlineMonitor relay;
  monitor.join();
  ASSERT_TRUE(relay.running());
  sockaddr_in relayAddr{};
  EXPECT_EQ(std::string("(dispinit version 2)\0", 21),
            testutil::receiveDatagram(serverFd, relayAddr, 2000));
  // Before the server has sent anything, to where the handshake went.
  monitor.send("(dispstart)");
  relay.update();
  sockaddr_in from{};
  EXPECT_EQ("(dispstart)", testutil::receiveDatagram(serverFd, from, 2000));

  const std::string show = firstShow("monitor-v2.bin", 10);  // time 0
  const std::string mid = firstShow("monitor-v2.bin", 20), later = firstShow("monitor-v2.bin", 59);
  const std::string params = monitorFrames("monitor-v2.bin")[0];
  const std::string drawing = "_2D_ LINE col=0000ff (0,-1,10,5);\n";
  logDrawing(drawing);
  auto serve = [&](const std::string& bytes) {
    testutil::sendDatagram(serverFd, bytes, relayAddr);
    relay.update();
  };

  // A show one byte too short to hold its time begins no cycle; time 0 does.
  serve(show.substr(0, DISPINFO_T2_TIME_OFFSET + 1));
  EXPECT_EQ(show.substr(0, DISPINFO_T2_TIME_OFFSET + 1), monitor.receive());
  serve(show);
  EXPECT_EQ(CLEAR, monitor.receive());
  EXPECT_EQ(drawing + '\0', monitor.receive());
  EXPECT_EQ(show, monitor.receive());
  // The same time again, parameters, a message with a later time where a
  // show has it, a show too short to hold a time: passed on as they are,
  // nothing redrawn.
  std::string message = later;
  message[1] = MSG_MODE;
  for (const std::string& bytes : {show, params, message, show.substr(0, 100)}) {
    serve(bytes);
    EXPECT_EQ(bytes, monitor.receive());
  }
  // Just long enough to hold its time; then a later whole show.
  for (const std::string& bytes : {mid.substr(0, DISPINFO_T2_TIME_OFFSET + 2), later}) {
    serve(bytes);
    EXPECT_EQ(CLEAR, monitor.receive());
    EXPECT_EQ(bytes, monitor.receive());
  }

  monitor.send("(dispbye)");
  relay.update();
  EXPECT_EQ("(dispbye)", testutil::receiveDatagram(serverFd, from, 2000));
  EXPECT_EQ(relayAddr.sin_port, from.sin_port);

  // Only the server and the monitor that said hello are heard, a flood of
  // strangers no further than 64 in one update; the monitor's datagrams go
  // to the server alone. An empty datagram does not end the drain.
  LogCapture log({1060, 1064});
  int strangerPort = 0;
  const int strangerFd = testutil::loopbackUdpSocket(strangerPort);
  const sockaddr_in monitorSide = at("127.0.0.1", ClientParam::instance()->monitor_port);
  for (int i = 0; i < 70; ++i) testutil::sendDatagram(strangerFd, show.substr(0, 64), relayAddr);
  testutil::sendDatagram(strangerFd, "(dispstart)", monitorSide);
  testutil::sendDatagram(strangerFd, "(dispinit version 2)", monitorSide);
  monitor.send("(dispstart)");
  relay.update();
  EXPECT_EQ(64, relay.strangersDropped());
  EXPECT_EQ("(dispstart)", testutil::receiveDatagram(serverFd, from, 2000));
  testutil::sendDatagram(serverFd, "", relayAddr);
  serve(params);
  EXPECT_EQ("", monitor.receive());
  EXPECT_EQ(params, monitor.receive());
  const std::string stranger = ", the last from 127.0.0.1:" + std::to_string(strangerPort);
  EXPECT_EQ(1, log.count("dropped 64 datagrams not from the server" + stranger));
  EXPECT_EQ(1, log.count("dropped 2 datagrams not from a monitor" + stranger));
  ::close(strangerFd);
  ::close(serverFd);
}

// The relay hears only the server's host, and from its first answer on only
// the port it answered from; the player's link hears anyone until then.
TEST(OnlineMonitorTest, HearsOnlyTheServer) {
  // Heard before and after the answer from 127.0.0.1:7000 (not 8000's).
  struct Case { bool hostKnown; const char* host; int port; bool before, after; };
  const Case cases[] = {
      {true, "127.0.0.1", 7000, true, true}, {true, "127.0.0.1", 6000, true, false},
      {true, "10.0.0.1", 7000, false, false}, {false, "10.0.0.1", 7000, true, false}};
  for (const Case& c : cases) {
    ServerFilter filter(1060, c.hostKnown);
    sockaddr_in server = at("127.0.0.1", 6000);
    EXPECT_EQ(c.before, filter.admits(at(c.host, c.port), server)) << c.host << ":" << c.port;
    filter.heard(at("127.0.0.1", 7000), server);
    filter.heard(at("127.0.0.1", 8000), server);
    EXPECT_EQ(c.after, filter.admits(at(c.host, c.port), server)) << c.host << ":" << c.port;
  }
}

// A relay that cannot work stops at once, saying why on standard error,
// rather than send to no address or wait for a monitor that can never
// connect.
TEST(OnlineMonitorTest, StopsInsteadOfWaitingForever) {
  int taken = 0;
  const int fd = testutil::loopbackUdpSocket(taken);
  const struct {
    const char* host;
    int port;
    std::string stop;
  } cases[] = {
      // Not a dotted address, and refused without asking a name server.
      {"999.999.999.999", testutil::freeLoopbackPort(),
       "cannot resolve the host name 999.999.999.999: The specified host is unknown"},
      {"127.0.0.1", taken,
       "cannot bind port " + std::to_string(taken) + ": Address already in use"}};
  for (const auto& c : cases) {
    ClientParam::instance()->host = c.host;
    ClientParam::instance()->monitor_port = c.port;
    LogCapture log({1060, 1064});
    testing::internal::CaptureStderr();
    OnlineMonitor relay;
    EXPECT_EQ("tolvane: the monitor relay stopped: " + c.stop + "\n",
              testing::internal::GetCapturedStderr());
    EXPECT_FALSE(relay.running());
    EXPECT_FALSE(log.has("identical ports"));
    relay.update();
  }
  ::close(fd);
}
