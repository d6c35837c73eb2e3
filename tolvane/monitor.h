#ifndef TOLVANE_MONITOR_H
#define TOLVANE_MONITOR_H

#include <netinet/in.h>

#include <string>
#include <vector>

#include "tolvane/logrecords.h"
#include "tolvane/serverconnection.h"
#include "vomarlog/draw2dforwarder.h"

// A non-blocking UDP socket bound to port (0: any port) of every local
// address; -1, with the failing step and its reason in why, when it cannot
// be made.
int openUdpSocket(int port, std::string& why);

// One connected monitor program.
struct displist_t {
  unsigned long shost;  // IPv4 address, host byte order
  int sport;            // UDP port, host byte order
  int version;          // the monitor protocol version it asked for
};

// A small server for soccer monitor programs on a local UDP port: it takes
// their "(dispinit)" handshakes, sends them display records in the layout of
// the version each asked for, forwards datagrams to them and sends them the
// drawing lines ("_2D_") that the system logs in zone 0.
class Monitor {
public:
  // Handshakes beyond this many monitors are ignored, so that a flood of
  // them cannot grow the list without end.
  static const std::size_t MAX_MONITORS = 64;
  static const int RECEIVE_SIZE = 256;

  Monitor();
  ~Monitor();
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  // (Re)creates the bound, non-blocking socket on the port; false, with a
  // log line, when it cannot (whyFailed then says why).
  bool init();
  const std::string& whyFailed() const { return mWhy; }
  void done();
  // Blocks until a datagram beginning with "(dispinit" has come; false at
  // once when there is no socket to receive it on.
  bool waitForConnection();
  // Sends a show record to every monitor, in its layout: msg_old to version-1
  // monitors, msg to the others. Any other record goes to nobody.
  void sendInfo(int recVersion, const dispinfo_t2& msg, const dispinfo_t& msg_old);
  // Reads one datagram and registers its sender when it is a handshake (a
  // monitor already registered only takes the version it now asks for); the
  // receive's result (bytes, or -1 when nothing was waiting).
  int receiveInfo();
  const char* getReceiveBuffer() const { return mRBuf; }
  void sendMessage(const void* buffer, int size);
  // 0 with no monitor; else up to one receive per monitor until one brings
  // a datagram: its size, or the last attempt's result. Only registered
  // monitors are heard: datagrams of others are dropped and counted, and
  // when more than StrangerCount::MAX_PER_READ of them come in a row, 0.
  int receiveMessage(void* buffer, int size);
  long strangersDropped() const { return mStrangers.dropped(); }
  void draw2D(const char* command);
  void clear2D();
  void setPortNum(int port) { mPortNum = port; }
  int getPortNum() const { return mPortNum; }
  void drawCached();
  const std::vector<displist_t>& monitors() const { return mMonitors; }

private:
  void sendTo(const displist_t& to, const void* buffer, std::size_t size);
  void registerMonitor(int version);
  // The registered monitor at addr's address and port, or null.
  displist_t* findMonitor(const struct sockaddr_in& addr);

  int mSocketFD;
  int mPortNum;
  char mHost[256];
  struct sockaddr_in mAddr;
  // One byte more than any datagram read into it: its text always ends.
  char mRBuf[RECEIVE_SIZE];
  std::vector<displist_t> mMonitors;
  vomar::Draw2dForwarder mForwarder;
  std::string mWhy;
  StrangerCount mStrangers;
};

#endif
