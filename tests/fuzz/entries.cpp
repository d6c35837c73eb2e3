#include "entries.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/testutil/udpsocket.h"
#include "tolvane/formations/formationparam.h"
#include "tolvane/logconnection.h"
#include "tolvane/onlinemonitor.h"
#include "tolvane/vekplayer.h"

namespace {

// The one player of the process, as in the program: made once, never
// destroyed.
struct FuzzPlayer : VekPlayer {
  using VekPlayer::SP;
  using VekPlayer::PP;
  using VekPlayer::CP;
  using VekPlayer::FP;
  using VekPlayer::WMS;
};

FuzzPlayer& player() {
  static FuzzPlayer* const one = new FuzzPlayer;
  return *one;
}

std::string text(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// A server message of one kind: its fixed head, the input behind it, handed
// to the dispatcher as the main loop does. The sensed state is emptied
// first, as each sense_body does in play; otherwise the sightings of all
// earlier inputs would pile up.
void message(const std::string& head, const std::uint8_t* data, std::size_t size) {
  FuzzPlayer& p = player();
  p.WMS.clearData();
  p.parse(head + text(data, size));
}

// The input as a file that the readers can open by name; one file per
// process, rewritten for each input, held in memory.
std::string asFile(const std::uint8_t* data, std::size_t size) {
  static const int fd = memfd_create("fuzz-input", 0);
  static const std::string name = "/proc/self/fd/" + std::to_string(fd);
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size)) return "";
  return name;
}

// The same file into each store that the command line gives a file to.
void parameterFile(const std::uint8_t* data, std::size_t size) {
  FuzzPlayer& p = player();
  const std::string file = asFile(data, size);
  ParamReader* const stores[] = {p.SP, p.PP, p.CP};
  for (ParamReader* store : stores) {
    store->begin();
    store->getOptions(file);
    store->end();
  }
}

// The formation file, then every strategic position of every situation, so
// that what the reader accepts is also usable.
void formationFile(const std::uint8_t* data, std::size_t size) {
  Formations::FormationParam* fp = player().FP;
  fp->begin();
  fp->getOptions(asFile(data, size));
  fp->end();
  const Formations::FormationParam::FormationT before = fp->getFormationType();
  for (int t = Formations::FormationParam::SETUP; t < Formations::FormationParam::NONE; ++t) {
    fp->setFormationType(Formations::FormationParam::FormationT(t));
    for (unsigned int u = 1; u <= 11; ++u)
      fp->currentFormation().strategicPosition(u, Vector2D(10.0, -5.0), 52.5);
  }
  fp->setFormationType(before);
}

// The input's NUL-separated pieces as the words after the program's name.
void commandLine(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words = {"tolvane"};
  const std::string all = text(data, size);
  for (std::size_t start = 0; start < all.size();) {
    const std::size_t end = std::min(all.find('\0', start), all.size());
    words.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(&w[0]);
  argv.push_back(nullptr);
  player().getOptions(int(words.size()), argv.data());
}

// The types of a player_type message exist once the player_param message
// that comes before them in every session has announced them.
void playerType(const std::uint8_t* data, std::size_t size) {
  player().parse("(player_param (player_types 18))");
  message("(player_type ", data, size);
}

// The replay link with its reader opened up.
struct FuzzLog : LogConnection {
  using LogConnection::mComposer;
  using LogConnection::mtBuf2;
  using LogConnection::openLog;
  using LogConnection::readLog;
};

// A composed text must carry numbers the parser reads: no "nan" or "inf"
// outside a quoted team name.
void checkNumbers(const char* text) {
  bool quoted = false;
  for (const char* p = text; *p; ++p) {
    if (*p == '"') quoted = !quoted;
    if (quoted || (p != text && p[-1] != ' ')) continue;
    const char* word = *p == '-' ? p + 1 : p;
    if (std::strncmp(word, "nan", 3) == 0 || std::strncmp(word, "inf", 3) == 0) std::abort();
  }
}

// The input as a game log of any version, plain or compressed: every record
// read, and each show composed into the texts of the player that the input's
// length chooses, which the player's parser then reads, as in a replay.
void gameLog(const std::uint8_t* data, std::size_t size) {
  const std::unique_ptr<FuzzLog> link(new FuzzLog);
  if (!link->openLog(asFile(data, size))) return;
  link->mComposer.setPlayer(int(size % 22));
  char text[Connection::BUFFER_SIZE];
  while (link->readLog()) {
    if (link->mtBuf2.mode != SHOW_MODE) continue;
    link->mComposer.composeSenseMessage(link->mtBuf2, text);
    checkNumbers(text);
    player().parse(text);
    link->mComposer.composeSeeMessage(link->mtBuf2, text);
    checkNumbers(text);
    player().WMS.clearData();
    player().parse(text);
  }
}

// Everything waiting on fd, read and dropped.
void drain(int fd) {
  char buf[8192];
  while (recv(fd, buf, sizeof(buf), MSG_DONTWAIT) >= 0) {
  }
}

// The monitor server of the replay on 127.0.0.1, and a monitor program
// talking to it; made once.
struct MonitorEnds {
  Monitor server;
  int monitor = socket(AF_INET, SOCK_DGRAM, 0);
};

MonitorEnds& monitorEnds() {
  static MonitorEnds* const ends = [] {
    MonitorEnds* e = new MonitorEnds;
    do e->server.setPortNum(testutil::freeLoopbackPort());
    while (!e->server.init());
    testutil::sendWhenServed(e->monitor, e->server.getPortNum(), "(dispinit)");
    e->server.receiveInfo();
    return e;
  }();
  return *ends;
}

// The input as a datagram from a monitor to the monitor server; then as a
// record, in both layouts, that the server sends to its monitors.
void monitorDatagram(const std::uint8_t* data, std::size_t size) {
  MonitorEnds& e = monitorEnds();
  send(e.monitor, data, size, 0);
  e.server.receiveInfo();
  std::vector<unsigned char> bytes(data, data + size);
  bytes.resize(std::max<std::size_t>(size, DISPINFO_T2_SIZE));
  dispinfo_t2 rec{};
  dispinfo_t old{};
  decode(bytes.data(), rec);
  decode(bytes.data(), old);
  e.server.sendInfo(2, rec, old);
  drain(e.monitor);
}

// A soccer server and a local monitor on 127.0.0.1 with the relay between
// them; made once, with the client and server parameters left as they were.
struct RelayEnds {
  int server = -1;
  sockaddr_in relay{};
  int monitor = socket(AF_INET, SOCK_DGRAM, 0);
  OnlineMonitor* onlineMonitor = nullptr;
};

RelayEnds& relayEnds() {
  static RelayEnds* const ends = [] {
    RelayEnds* e = new RelayEnds;
    ClientParam* cp = ClientParam::instance();
    ServerParam* sp = ServerParam::instance();
    const std::string host = cp->host;
    const int port = sp->portnum;
    const int monitorPort = cp->monitor_port;
    int serverPort = 0;
    e->server = testutil::loopbackUdpSocket(serverPort);
    cp->host = "127.0.0.1";
    sp->portnum = serverPort;
    cp->monitor_port = testutil::freeLoopbackPort();
    std::thread hello(
        [e, cp] { testutil::sendWhenServed(e->monitor, cp->monitor_port, "(dispinit version 2)"); });
    e->onlineMonitor = new OnlineMonitor;
    hello.join();
    testutil::receiveDatagram(e->server, e->relay, 2000);
    cp->host = host;
    sp->portnum = port;
    cp->monitor_port = monitorPort;
    return e;
  }();
  return *ends;
}

// The input as a datagram of the server's monitor stream and as one of the
// local monitor, both through the relay.
void relayDatagram(const std::uint8_t* data, std::size_t size) {
  RelayEnds& e = relayEnds();
  sendto(e.server, data, size, 0, reinterpret_cast<const sockaddr*>(&e.relay), sizeof(e.relay));
  send(e.monitor, data, size, 0);
  e.onlineMonitor->update();
  drain(e.monitor);
  drain(e.server);
}

} // namespace

namespace fuzz {

const std::vector<Target>& targets() {
  static const std::vector<Target> all = [] {
    std::vector<Target> t = {
        {"player_type", playerType},       {"parameter_file", parameterFile},
        {"formation_file", formationFile}, {"command_line", commandLine},
        {"game_log", gameLog},             {"monitor_datagram", monitorDatagram},
        {"relay_datagram", relayDatagram}};
    // A server message of the target's kind; the referee's comes in a hear message.
    for (const std::string kind : {"see", "sense_body", "hear", "fullstate", "referee", "init",
                                   "server_param", "player_param", "change_player_type"}) {
      const std::string head = kind == "referee" ? "(hear 0 referee " : "(" + kind + " ";
      t.push_back({kind, [head](const std::uint8_t* d, std::size_t n) { message(head, d, n); }});
    }
    return t;
  }();
  return all;
}

const Target* find(const std::string& name) {
  for (const Target& t : targets())
    if (name == t.name) return &t;
  return nullptr;
}

} // namespace fuzz
