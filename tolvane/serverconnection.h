#ifndef TOLVANE_SERVERCONNECTION_H
#define TOLVANE_SERVERCONNECTION_H

#include <netinet/in.h>

#include <string>

#include "tolvane/connection.h"

// Puts into address the dotted address of host: its first address when it
// resolves as a name, else the text itself when it is a dotted address; then
// null. When it is neither: the resolver's reason, also logged in zone.
const char* resolveHost(const std::string& host, unsigned int zone, std::string& address);

// The UDP socket of the live link and the address the commands go to.
struct Socket {
  int socketfd;
  struct sockaddr_in serv_addr;
};

// The live link: one non-blocking IPv4 UDP socket talking to the soccer
// server. The server answers the init from a port of its own for this
// client; every later command goes to the port the server last sent from.
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
  bool dataOnSocket() const override;
  std::string whyFailed() const override { return failure; }
  std::string whyEnded() const override { return "the server at " + peer + " fell silent"; }

  // Receives one datagram into buf, which must hold BUFFER_SIZE bytes.
  // 1: a message, 0: nothing (or nothing usable), -1: receive error.
  signed char receiveMessage(char* buf);

private:
  // Records why a socket step failed (errno's words after what), closes fd
  // when it is open; false.
  bool socketFailed(const char* what, int fd);

  Socket sock;
  int noMessages;
  std::string failure;
  // HOST:PORT as opened; a later server_param may change the stored port.
  std::string peer;
};

#endif
