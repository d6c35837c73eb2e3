#include "tolvane/serverconnection.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ios>
#include <locale>
#include <sstream>

#include "tolvane/clientparam.h"
#include "tolvane/serverparam.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_TEXT = 1022;
const unsigned int ZONE_SEND = 1050;
const unsigned int ZONE_ERROR = 1051;

// select on fd for reading: its count of ready descriptors, 0 on time-out,
// -1 on failure. select can watch only descriptors below FD_SETSIZE, so a
// closed link (-1) or a descriptor beyond them fails.
int waitReadable(int fd, struct timeval* timeout) {
  if (fd < 0 || fd >= FD_SETSIZE) return -1;
  fd_set readfds;
  FD_ZERO(&readfds);
  FD_SET(fd, &readfds);
  return select(fd + 1, &readfds, nullptr, nullptr, timeout);
}

// The text and its terminating zero byte, as the server expects, in one
// datagram; true when all of it went out.
bool sendText(const Socket& sock, const char* text, std::size_t length) {
  const std::size_t n = length + 1;
  const ssize_t sent = sendto(sock.socketfd, text, n, 0,
                              reinterpret_cast<const struct sockaddr*>(&sock.serv_addr),
                              sizeof(sock.serv_addr));
  return sent >= 0 && static_cast<std::size_t>(sent) == n;
}

} // namespace

const char* resolveHost(const std::string& host, unsigned int zone, std::string& address) {
  struct hostent* entry = gethostbyname(host.c_str());
  struct in_addr dotted;
  if (entry && entry->h_addrtype == AF_INET && entry->h_addr_list[0]) {
    struct in_addr first;
    std::memcpy(&first, entry->h_addr_list[0], sizeof(first));
    address = inet_ntoa(first);
    return nullptr;
  }
  if (inet_aton(host.c_str(), &dotted)) {
    address = host;
    return nullptr;
  }
  const char* why = nullptr;
  switch (h_errno) {
  case HOST_NOT_FOUND: why = "The specified host is unknown"; break;
  case TRY_AGAIN:
    why = "A temporary error occurred on an authoritative name server.  Try again later";
    break;
  case NO_RECOVERY: why = "A non-recoverable name server error occurred"; break;
  case NO_DATA: why = "The requested name is valid but does not have an IP address"; break;
  default: why = "The host name could not be resolved"; break;
  }
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, zone) << why << "\n";
  return why;
}

void StrangerCount::drop(const struct sockaddr_in& from) {
  ++count;
  if ((count & (count - 1)) != 0) return;
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, zone)
      << "dropped " << count << (count == 1 ? " datagram" : " datagrams") << " not from " << whom
      << ", the last from " << inet_ntoa(from.sin_addr) << ":" << ntohs(from.sin_port) << "\n";
}

bool ServerFilter::admits(const struct sockaddr_in& from, const struct sockaddr_in& server) const {
  const bool sameHost = from.sin_addr.s_addr == server.sin_addr.s_addr;
  if (!known) return !hostKnown || sameHost;
  return sameHost && from.sin_port == server.sin_port;
}

void ServerFilter::heard(const struct sockaddr_in& from, struct sockaddr_in& server) {
  if (known) return;
  server.sin_addr = from.sin_addr;
  server.sin_port = from.sin_port;
  known = true;
}

ServerConnection::ServerConnection() : noMessages(0), strangers(ZONE_ERROR, false) {
  sock.socketfd = -1;
  std::memset(&sock.serv_addr, 0, sizeof(sock.serv_addr));
}

ServerConnection::~ServerConnection() {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_SEND)
      << "connection terminated" << "\n";
  // Nothing can reach the socket once the link is gone.
  close();
}

bool ServerConnection::open() {
  // A socket still held from an earlier open would otherwise leak.
  close();
  failure.clear();

  std::string address;
  if (const char* why = resolveHost(CP->hostName(), ZONE_ERROR, address)) {
    failure = "cannot resolve the host name " + CP->hostName() + ": " + why;
    // Without an address there is no server to talk to; going on would
    // send to a meaningless address and report success.
    return false;
  }

  // The socket is set up for asynchronous notice, but all reading is driven
  // by select, so the signal itself must never arrive.
  sigset_t sigio;
  sigemptyset(&sigio);
  sigaddset(&sigio, SIGIO);
  sigprocmask(SIG_BLOCK, &sigio, nullptr);

  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return socketFailed("cannot make a UDP socket: ", -1);
  if (fcntl(fd, F_SETOWN, getpid()) < 0) return socketFailed("cannot own the UDP socket: ", fd);
  int flags = fcntl(fd, F_GETFL, 0);
  if (flags >= 0) fcntl(fd, F_SETFL, flags | O_NONBLOCK | O_ASYNC);

  struct sockaddr_in local;
  std::memset(&local, 0, sizeof(local));
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(0);
  if (bind(fd, reinterpret_cast<struct sockaddr*>(&local), sizeof(local)) < 0)
    return socketFailed("cannot bind the UDP socket: ", fd);

  sock.socketfd = fd;
  std::memset(&sock.serv_addr, 0, sizeof(sock.serv_addr));
  sock.serv_addr.sin_family = AF_INET;
  sock.serv_addr.sin_addr.s_addr = inet_addr(address.c_str());
  sock.serv_addr.sin_port = htons(static_cast<unsigned short>(SP->portnum));
  strangers.reset();
  peer = CP->hostName() + ":" + std::to_string(SP->portnum);
  return true;
}

bool ServerConnection::socketFailed(const char* what, int fd) {
  failure = what + std::string(std::strerror(errno));
  if (fd >= 0) ::close(fd);
  return false;
}

void ServerConnection::close() {
  if (sock.socketfd != -1) ::close(sock.socketfd);
  sock.socketfd = -1;
}

bool ServerConnection::sendMessage(const std::string& buf) {
  if (buf.empty()) return true;
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_SEND) << "send: " << buf << "\n";
  return sendText(sock, buf.c_str(), buf.size());
}

bool ServerConnection::sendMessage(const char* buf) {
  if (!buf || !*buf) return true;
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_TEXT) << "send: " << buf << "\n";
  return sendText(sock, buf, std::strlen(buf));
}

bool ServerConnection::sendInitializeMessage() {
  failure.clear();
  const std::string& team = CP->myTeamName();
  int n;
  if (CP->reconnectUnum() >= 1) {
    n = std::snprintf(buffer, BUFFER_SIZE, "(reconnect %s %d)", team.c_str(),
                      CP->reconnectUnum());
  } else {
    if (CP->version() < 8.0) {
      vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE_ERROR)
          << "you tried to connect with a protocol version < 8.0 and you don't really want to "
             "do this"
          << "\n";
      failure = "the protocol version must be 8.0 or higher";
      return false;
    }
    // The server reads '.' as the decimal point, whatever the user's locale.
    std::ostringstream version;
    version.imbue(std::locale::classic());
    version.setf(std::ios::fixed, std::ios::floatfield);
    version.precision(2);
    version << CP->version();
    n = std::snprintf(buffer, BUFFER_SIZE,
                      CP->goalie() ? "(init %s (version %s) (goalie))" : "(init %s (version %s))",
                      team.c_str(), version.str().c_str());
  }
  if (n < 0 || n >= BUFFER_SIZE) {
    buffer[0] = '\0';
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE_ERROR)
        << "team name too long for the init message (" << team.size() << " characters)" << "\n";
    failure = "the team name is too long for the init message";
    return false;
  }
  if (sendMessage(static_cast<const char*>(buffer))) return true;
  return socketFailed("cannot send the init message: ", -1);
}

signed char ServerConnection::receiveMessage(char* buf) {
  struct sockaddr_in from;
  socklen_t fromlen = sizeof(from);
  std::memset(&from, 0, sizeof(from));
  // One byte is kept back for the terminating zero.
  ssize_t n = recvfrom(sock.socketfd, buf, BUFFER_SIZE - 1, 0,
                       reinterpret_cast<struct sockaddr*>(&from), &fromlen);
  if (n < 0) {
    const int error = errno;
    if (error == EAGAIN || error == EWOULDBLOCK) return 0;
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE_ERROR)
        << "Receive error: " << error << " on " << sock.socketfd << "\n";
    return -1;
  }
  if (!strangers.admits(from, sock.serv_addr)) {
    buf[0] = '\0';
    strangers.drop(from);
    return 0;
  }

  // The message ends with its last closing parenthesis; the server's
  // terminating zero and anything else behind it are cut off. A text
  // without one is no server message but is kept to its first zero byte,
  // so that the parser (or the handshake) can say what came.
  ssize_t len = n;
  while (len > 0 && buf[len - 1] != ')') --len;
  if (len == 0) len = static_cast<ssize_t>(strnlen(buf, static_cast<std::size_t>(n)));
  buf[len] = '\0';

  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_TEXT)
      << "recv (" << len << "): " << buf << "\n";

  if (len == 0) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, ZONE_ERROR)
        << "recvd null message (serverconnection, line: 194" << "\n";
    return 0;
  }
  // The server answers the init from the address and port it keeps for
  // this client; from then on only they are listened to.
  strangers.heard(from, sock.serv_addr);
  return 1;
}

bool ServerConnection::waitForMessage(vekbase::TimevalXL timeout) {
  // Strangers' datagrams neither end the wait nor stretch it: only the
  // server's message, or the time-out, does.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point end = Clock::now() + std::chrono::microseconds(long(timeout));
  // Past the end, a flood of strangers' datagrams is drained this far.
  int lateDrops = 0;
  for (;;) {
    const long left = static_cast<long>(
        std::chrono::duration_cast<std::chrono::microseconds>(end - Clock::now()).count());
    struct timeval wait = vekbase::TimevalXL(left < 0 ? 0 : left);
    const int ready = waitReadable(sock.socketfd, &wait);
    if (ready < 0) {
      vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, ZONE_ERROR)
          << "ServerConnection::waitForMessage: select error" << "\n";
      return false;
    }
    if (ready == 0 || (left <= 0 && ++lateDrops > StrangerCount::MAX_PER_READ)) break;
    const long dropped = strangers.dropped();
    const signed char got = receiveMessage(buffer);
    if (got == 1) {
      noMessages = 0;
      return true;
    }
    // Only a stranger's datagram is waited past; the server's empty one
    // ends the wait as it always did.
    if (got < 0 || strangers.dropped() == dropped) {
      vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE_ERROR)
          << "ServerConnection::waitForMessage: huh? select found a message but there isn't one"
          << "\n";
      return false;
    }
  }
  if (++noMessages < 2) return false;
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, ZONE_ERROR)
      << "ServerConnection::waitForMessage: 2x timeout and no message" << "\n";
  noMessages = 0;
  return false;
}

bool ServerConnection::connected() const {
  return sock.socketfd != -1;
}

bool ServerConnection::dataOnSocket() {
  // A bounded number of strangers' datagrams ahead of the server's are
  // dropped, so that a flood cannot hold up the decision.
  for (int drops = 0; drops < StrangerCount::MAX_PER_READ; ++drops) {
    struct timeval zero = {0, 0};
    if (waitReadable(sock.socketfd, &zero) <= 0) return false;
    struct sockaddr_in from;
    socklen_t fromlen = sizeof(from);
    std::memset(&from, 0, sizeof(from));
    char first;
    if (recvfrom(sock.socketfd, &first, 1, MSG_PEEK, reinterpret_cast<struct sockaddr*>(&from),
                 &fromlen) < 0)
      return false;
    if (strangers.admits(from, sock.serv_addr)) return true;
    recv(sock.socketfd, &first, 1, 0);
    strangers.drop(from);
  }
  return false;
}
