#ifndef TOLVANE_SERVERCONNECTION_H
#define TOLVANE_SERVERCONNECTION_H

#include <netinet/in.h>

#include <string>

#include "tolvane/connection.h"

// Puts into address the dotted address of host: its first address when it
// resolves as a name, else the text itself when it is a dotted address; then
// null. When it is neither: the resolver's reason, also logged in zone.
const char* resolveHost(const std::string& host, unsigned int zone, std::string& address);

// Counts datagrams dropped because a stranger sent them; the log hears of
// the 1st, 2nd, 4th, 8th and so on, so that a chattering stranger cannot
// fill it: "dropped N datagrams not from WHOM, the last from A:P".
class StrangerCount {
public:
  // At most this many strangers' datagrams are skipped by one read, so
  // that a flood cannot hold up the reader.
  static const int MAX_PER_READ = 64;
  // Logged in logZone, whom naming who alone may speak.
  StrangerCount(unsigned int logZone, const char* whomOnly)
      : zone(logZone), whom(whomOnly), count(0) {}
  void drop(const struct sockaddr_in& from);
  long dropped() const { return count; }

private:
  unsigned int zone;
  const char* whom;
  long count;
};

// Who may speak on a socket that talks to one server: the server answers
// from an address and port of its own, and from its first answer on only
// they are heard. Before it, anyone may speak, or, when the server's host
// is known in advance, only that host. A stranger is to be dropped.
class ServerFilter : public StrangerCount {
public:
  ServerFilter(unsigned int logZone, bool hostFirst)
      : StrangerCount(logZone, "the server"), hostKnown(hostFirst), known(false) {}
  // The server is to be heard anew, at the address it is sent to.
  void reset() { known = false; }
  // Whether a datagram from there is the server's, which is sent to server.
  bool admits(const struct sockaddr_in& from, const struct sockaddr_in& server) const;
  // The server spoke from there: from now on only it is heard, and server
  // takes its address and port.
  void heard(const struct sockaddr_in& from, struct sockaddr_in& server);

private:
  bool hostKnown;
  bool known;
};

// The UDP socket of the live link and the address the commands go to.
struct Socket {
  int socketfd;
  struct sockaddr_in serv_addr;
};

// The live link: one non-blocking IPv4 UDP socket talking to the soccer
// server. The server answers the init from a port of its own for this
// client: from then on only datagrams from that address and port are read,
// and every later command goes there. Datagrams from anywhere else are
// dropped and counted in the log.
class ServerConnection : public Connection {
public:
  ServerConnection();
  ~ServerConnection() override;

  bool open() override;
  void close() override;
  bool sendMessage(const std::string& buf) override;
  bool sendMessage(const char* buf) override;
  bool sendInitializeMessage() override;
  bool waitForMessage(vekbase::TimevalXL timeout) override;
  bool connected() const override;
  // Whether the server's next datagram is waiting; strangers' datagrams
  // ahead of it are dropped.
  bool dataOnSocket() override;
  std::string whyFailed() const override { return failure; }
  std::string whyEnded() const override { return "the server at " + peer + " fell silent"; }

  // Receives one datagram into buf, which must hold BUFFER_SIZE bytes.
  // 1: a message, 0: nothing (or nothing usable, or a stranger's datagram,
  // dropped), -1: receive error.
  signed char receiveMessage(char* buf);
  // Datagrams dropped because they came from elsewhere than the server.
  long strangersDropped() const { return strangers.dropped(); }

private:
  // Records why a socket step failed (errno's words after what), closes fd
  // when it is open; false.
  bool socketFailed(const char* what, int fd);

  Socket sock;
  int noMessages;
  // Until the init reply anyone is heard; from then on only its sender,
  // which sock.serv_addr then holds.
  ServerFilter strangers;
  std::string failure;
  // HOST:PORT as opened; a later server_param may change the stored port.
  std::string peer;
};

#endif
