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
// the agent's drawings whenever a new cycle begins. Only the server and the
// monitors that said hello are heard; others are dropped and counted.
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
  // Datagrams dropped on the server side because they came from elsewhere.
  long strangersDropped() const { return mStrangers.dropped(); }

protected:
  bool connectServerMonitor();
  bool initMonitor();
  void stop(const std::string& why);

  Monitor mMonitor;
  ClientParam* CP;
  ServerParam* SP;
  int mSocketFD;
  // Where the handshake and every monitor datagram go: the server's host
  // and, from its first answer on, the port it answers from.
  struct sockaddr_in mServerAddr;
  // Only the server's host is heard, and from its first answer on only
  // that port of it.
  ServerFilter mStrangers;
  // The last show time seen; a later one begins a new cycle.
  std::int16_t lastTime;
  unsigned char buf[BUFFER_SIZE];
};

#endif
