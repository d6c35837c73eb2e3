#include "tolvane/serverconnection.h"

#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>

#include <string>
#include <vector>

#include "testutil/commadecimal.h"
#include "testutil/logcapture.h"
#include "testutil/udpsocket.h"
#include "tolvane/clientparam.h"
#include "tolvane/serverparam.h"

using vekbase::TimevalXL;

namespace {

// One port of the soccer server, on 127.0.0.1 at a free port.
struct FakeServer {
  FakeServer() { fd = testutil::loopbackUdpSocket(port); }
  ~FakeServer() { ::close(fd); }

  // The next datagram as sent, or "" when none comes within the wait.
  std::string receive(int waitMs = 1000) { return testutil::receiveDatagram(fd, client, waitMs); }
  // To the client whose datagram came last.
  void send(const std::string& bytes) { testutil::sendDatagram(fd, bytes, client); }

  int fd;
  int port;
  sockaddr_in client{};
};

void configure(int port, const std::string& version = "8.04", bool goalie = false,
               int reconnect = 0, const std::string& team = "Foo") {
  ClientParam* cp = ClientParam::instance();
  cp->begin();
  cp->setParameter("host", "127.0.0.1");
  // Past the options, which refuse what the link still guards against.
  cp->my_team_name = team;
  cp->proto_version = std::stod(version);
  cp->setParameter("goalie", goalie ? "1" : "0");
  cp->setParameter("reconnect", std::to_string(reconnect));
  ServerParam::instance()->portnum = port;
}

std::string nul(const std::string& text) {
  return text + std::string(1, '\0');
}

// The descriptors this process holds.
int openDescriptors() {
  int n = 0;
  DIR* dir = opendir("/proc/self/fd");
  while (readdir(dir)) ++n;
  closedir(dir);
  return n;
}

// A link to a fake server that has taken the init message.
struct ServerConnectionLinked : testing::Test {
  void SetUp() override {
    configure(server.port);
    ASSERT_TRUE(link.open());
    EXPECT_FALSE(link.dataOnSocket());
    ASSERT_TRUE(link.sendInitializeMessage());
    ASSERT_EQ(nul("(init Foo (version 8.04))"), server.receive());
  }
  FakeServer server;
  ServerConnection link;
};

} // namespace

TEST_F(ServerConnectionLinked, InitAndReconnectTexts) {
  const std::string tooLong(Connection::BUFFER_SIZE, 'T');
  // In order: a failure's reason is gone with the next success.
  const struct {
    const char* version;
    bool goalie;
    int reconnect;
    std::string team;
    const char* sent;  // "" when refused
    const char* why;
  } cases[] = {
      {"8.04", false, 0, "Foo", "(init Foo (version 8.04))", ""},
      {"8.04", true, 0, "Foo", "(init Foo (version 8.04) (goalie))", ""},
      {"7.0", false, 3, "Foo", "(reconnect Foo 3)", ""},
      {"7.99", false, 0, "Foo", "", "the protocol version must be 8.0 or higher"},
      // Refused, not written past the buffer.
      {"8.04", false, 0, tooLong, "", "the team name is too long for the init message"},
      {"8", false, 0, "Foo", "(init Foo (version 8.00))", ""},  // exactly 8.0 is accepted
  };
  for (const auto& c : cases) {
    configure(server.port, c.version, c.goalie, c.reconnect, c.team);
    bool sent;
    {
      // The decimal point is '.' whatever the locale.
      const testutil::CommaDecimal comma;
      sent = link.sendInitializeMessage();
    }
    EXPECT_EQ(*c.sent != 0, sent) << c.version;
    EXPECT_EQ(c.why, link.whyFailed()) << c.version;
    EXPECT_EQ(*c.sent ? nul(c.sent) : "", server.receive(*c.sent ? 1000 : 50)) << c.version;
  }
}

TEST_F(ServerConnectionLinked, AdoptsThePortTheServerRepliesFrom) {
  FakeServer perClient;
  perClient.client = server.client;
  perClient.send(nul("(init l 2 before_kick_off)"));
  EXPECT_TRUE(link.dataOnSocket());
  ASSERT_TRUE(link.waitForMessage(TimevalXL(1, 0)));
  EXPECT_STREQ("(init l 2 before_kick_off)", Connection::sendbuf);

  EXPECT_TRUE(link.sendMessage(std::string()));
  EXPECT_TRUE(link.sendMessage(std::string("(dash 10.00)")));
  EXPECT_EQ(nul("(dash 10.00)"), perClient.receive());
  EXPECT_EQ("", server.receive(50));

  // What follows the last ')' is cut off.
  perClient.send(nul("(see 12 ((b) 10 0))") + "xy");
  ASSERT_TRUE(link.waitForMessage(TimevalXL(1, 0)));
  EXPECT_STREQ("(see 12 ((b) 10 0))", Connection::sendbuf);

  // From the reply on, neither the init port nor a stranger is listened
  // to: their datagrams are dropped and counted in the log.
  testutil::LogCapture log(testutil::ZoneRange{1051, 1051});
  FakeServer stranger;
  stranger.client = server.client;
  for (int i = 0; i < 7; ++i) stranger.send(nul("(see 13 ((b) nan 0))"));
  server.send(nul("(hear 13 referee goal_l_1)"));
  EXPECT_FALSE(link.dataOnSocket());
  stranger.send(nul("(see 13 ((b) nan 0))"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(link.waitForMessage(TimevalXL(0, 50000)));  // neither ended nor shortened
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(45));
  EXPECT_EQ(9, link.strangersDropped());
  EXPECT_EQ(1, log.count("dropped 1 datagram not from the server, the last from 127.0.0.1:"));
  EXPECT_EQ(1, log.count("dropped 8 datagrams not from the server, the last from 127.0.0.1:"));
  EXPECT_EQ(4, log.count("dropped "));
  stranger.send(nul("(see 14 ((b) 1 0))"));
  perClient.send(nul("(see 14 ((b) 10 0))"));
  EXPECT_TRUE(link.dataOnSocket());
  ASSERT_TRUE(link.waitForMessage(TimevalXL(1, 0)));
  EXPECT_STREQ("(see 14 ((b) 10 0))", Connection::sendbuf);
}

TEST_F(ServerConnectionLinked, TimeoutsEmptyAndOversizedMessages) {
  EXPECT_FALSE(link.waitForMessage(TimevalXL(0, 10000)));
  // A text that is no server message is still handed on, for the parser
  // or the handshake to say what came; an empty one is not.
  server.send(nul("no parenthesis") + "xy");
  ASSERT_TRUE(link.waitForMessage(TimevalXL(1, 0)));
  EXPECT_STREQ("no parenthesis", Connection::sendbuf);
  server.send(std::string(3, '\0'));
  EXPECT_FALSE(link.waitForMessage(TimevalXL(0, 50000)));

  // 8192 bytes ending in "))": 8191 are taken, so the zero still fits.
  std::string big = "(" + std::string(Connection::BUFFER_SIZE - 3, 'x') + "))";
  server.send(big);
  ASSERT_TRUE(link.waitForMessage(TimevalXL(1, 0)));
  EXPECT_EQ(big.substr(0, Connection::BUFFER_SIZE - 1), std::string(Connection::sendbuf));

  link.close();
  EXPECT_FALSE(link.connected());
  EXPECT_FALSE(link.waitForMessage(TimevalXL(0, 1000)));
  EXPECT_FALSE(link.dataOnSocket());
}

TEST(ServerConnection, UnresolvableHostAndDestruction) {
  configure(6000);
  ClientParam::instance()->setParameter("host", "no such host");
  ServerConnection* link = new ServerConnection;
  EXPECT_FALSE(link->open());
  EXPECT_FALSE(link->connected());
  EXPECT_EQ(0u, link->whyFailed().find("cannot resolve the host name no such host: "));
  delete link;
  configure(6000);

  // A link destroyed while open gives its socket back.
  const int before = openDescriptors();
  link = new ServerConnection;
  ASSERT_TRUE(link->open());
  EXPECT_EQ(before + 1, openDescriptors());
  delete link;
  EXPECT_EQ(before, openDescriptors());
}
