#include "tolvane/onlinemonitor.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <string>

#include "tolvane/clientparam.h"
#include "tolvane/serverconnection.h"
#include "tolvane/serverparam.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_RELAY = 1060;

std::ostream& errorLine() {
  return vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE_RELAY);
}

} // namespace

OnlineMonitor::OnlineMonitor()
    : CP(nullptr), SP(nullptr), mSocketFD(-1), mStrangers(ZONE_RELAY, true), lastTime(-1) {
  SP = ServerParam::instance();
  CP = ClientParam::instance();
  std::memset(&mServerAddr, 0, sizeof(mServerAddr));
  if (connectServerMonitor()) initMonitor();
}

OnlineMonitor::~OnlineMonitor() {
  if (mSocketFD != -1) ::close(mSocketFD);
}

void OnlineMonitor::stop(const std::string& why) {
  // The player plays on without the relay: its user must hear why.
  errorLine() << "monitor relay stopped: " << why << "\n";
  std::cerr << "tolvane: the monitor relay stopped: " << why << std::endl;
  if (mSocketFD != -1) ::close(mSocketFD);
  mSocketFD = -1;
  mMonitor.done();
}

bool OnlineMonitor::connectServerMonitor() {
  std::string why;
  mSocketFD = openUdpSocket(0, why);
  if (mSocketFD == -1) {
    stop(why);
    return false;
  }

  std::string address;
  if (const char* unknown = resolveHost(CP->hostName(), ZONE_RELAY, address)) {
    // An address made of nothing would be the broadcast address.
    stop("cannot resolve the host name " + CP->hostName() + ": " + unknown);
    return false;
  }
  mServerAddr.sin_family = AF_INET;
  mServerAddr.sin_addr.s_addr = inet_addr(address.c_str());
  mServerAddr.sin_port = htons(static_cast<unsigned short>(SP->portnum));

  static const char handshake[] = "(dispinit version 2)";
  sendto(mSocketFD, handshake, sizeof(handshake), 0,
         reinterpret_cast<const struct sockaddr*>(&mServerAddr), sizeof(mServerAddr));
  return true;
}

bool OnlineMonitor::initMonitor() {
  if (CP->monitorPort() == 6000)
    errorLine() << "identical ports for server monitor and online monitor." << "\n";
  mMonitor.setPortNum(CP->monitorPort());
  // No monitor can reach a port that could not be served: waiting for one
  // would never end.
  if (!mMonitor.init()) {
    stop(mMonitor.whyFailed());
    return false;
  }
  mMonitor.waitForConnection();
  return true;
}

void OnlineMonitor::update() {
  if (mSocketFD == -1) return;

  for (int strangers = 0; strangers < StrangerCount::MAX_PER_READ;) {
    struct sockaddr_in from;
    socklen_t len = sizeof(from);
    std::memset(&from, 0, sizeof(from));
    const ssize_t n = recvfrom(mSocketFD, buf, sizeof(buf), 0,
                               reinterpret_cast<struct sockaddr*>(&from), &len);
    if (n < 0) break;
    if (!mStrangers.admits(from, mServerAddr)) {
      mStrangers.drop(from);
      ++strangers;
      continue;
    }
    if (n > 0) mStrangers.heard(from, mServerAddr);
    // Only a datagram long enough to hold a show time can begin a cycle.
    if (std::size_t(n) >= DISPINFO_T2_TIME_OFFSET + 2) {
      ByteReader r(buf, std::size_t(n));
      const std::int16_t mode = r.int16();
      r.pad(DISPINFO_T2_TIME_OFFSET - 2);
      const std::int16_t time = r.int16();
      if (mode == SHOW_MODE && time > lastTime) {
        lastTime = time;
        mMonitor.clear2D();
        mMonitor.drawCached();
      }
    }
    mMonitor.sendMessage(buf, static_cast<int>(n));
  }

  for (;;) {
    const int n = mMonitor.receiveMessage(buf, sizeof(buf));
    if (n < 1) break;
    sendto(mSocketFD, buf, std::size_t(n), 0,
           reinterpret_cast<const struct sockaddr*>(&mServerAddr), sizeof(mServerAddr));
  }
}
