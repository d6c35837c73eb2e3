#ifndef TOLVANE_SERVERCONNECTION_H
#define TOLVANE_SERVERCONNECTION_H

#include <netinet/in.h>

#include <string>

#include "tolvane/connection.h"

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

  // Receives one datagram into buf, which must hold BUFFER_SIZE bytes.
  // 1: a message, 0: nothing (or nothing usable), -1: receive error.
  signed char receiveMessage(char* buf);

private:
  Socket sock;
  int noMessages;
};

#endif
