#ifndef TOLVANE_ONLINEMONITOR_H
#define TOLVANE_ONLINEMONITOR_H

#include <netinet/in.h>

#include <cstdint>
#include <string>

#include "tolvane/monitor.h"

class ClientParam;
class ServerParam;

// The monitor relay of a live match: registers with the soccer server as a
// version-2 monitor and passes the server's monitor stream to one local
// monitor program and that monitor's datagrams back to the server, adding
// the agent's drawings whenever a new cycle begins.
class OnlineMonitor {
public:
  static const int BUFFER_SIZE = 4096;

  // Registers with the server (client host, server port) and blocks until a
  // local monitor has connected on the client monitor_port. When the server
  // cannot be reached or the local port not served, the relay stops at once,
  // saying why on standard error and in the log.
  OnlineMonitor();
  virtual ~OnlineMonitor();
  OnlineMonitor(const OnlineMonitor&) = delete;
  OnlineMonitor& operator=(const OnlineMonitor&) = delete;

  // Moves every pending datagram in both directions without blocking.
  void update();
  // Whether the relay is working.
  bool running() const { return mSocketFD != -1; }

protected:
  bool connectServerMonitor();
  bool initMonitor();
  void stop(const std::string& why);

  Monitor mMonitor;
  ClientParam* CP;
  ServerParam* SP;
  int mSocketFD;
  struct sockaddr_in mServerAddr;
  // Where monitor datagrams go: the sender of the server's latest datagram,
  // the handshake's address until one comes.
  struct sockaddr_in mLastServerAddr;
  // The last show time seen; a later one begins a new cycle.
  std::int16_t lastTime;
  unsigned char buf[BUFFER_SIZE];
};

#endif
