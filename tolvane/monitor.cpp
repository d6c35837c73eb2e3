#include "tolvane/monitor.h"

#include <arpa/inet.h>
#include <sys/ioctl.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_MONITOR = 1064;

std::ostream& errorLine() {
  return vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE_MONITOR);
}

// The version of a "(dispinit version N" handshake; false for any other
// text or a number out of range.
bool handshakeVersion(const char* text, int& version) {
  static const char head[] = "(dispinit version ";
  if (std::strncmp(text, head, sizeof(head) - 1) != 0) return false;
  const char* start = text + sizeof(head) - 1;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(start, &end, 10);
  if (end == start || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  version = static_cast<int>(v);
  return true;
}

} // namespace

Monitor::Monitor()
    : mSocketFD(-1), mPortNum(6000), mForwarder(8192), mStrangers(ZONE_MONITOR, "a monitor") {
  std::strncpy(mHost, "localhost", sizeof(mHost));
  std::memset(&mAddr, 0, sizeof(mAddr));
  std::memset(mRBuf, 0, sizeof(mRBuf));
  // No zone is added: only what is logged in zone 0 reaches the drawings.
  vomar::Forwarder::instance(8192)->addStream(&mForwarder, vomar::ForwarderStreamBuf::S_PASS_ALL);
}

Monitor::~Monitor() {
  vomar::Forwarder::instance(8192)->removeStream(&mForwarder);
  done();
}

int openUdpSocket(int port, std::string& why) {
  auto failed = [&why](const std::string& step, int fd) {
    why = step + ": " + std::strerror(errno);
    if (fd >= 0) ::close(fd);
    return -1;
  };
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  if (fd < 0) return failed("cannot make a UDP socket", -1);
  int on = 1;
  if (ioctl(fd, FIONBIO, &on) < 0) return failed("cannot make the UDP socket non-blocking", fd);
  struct sockaddr_in local;
  std::memset(&local, 0, sizeof(local));
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  local.sin_port = htons(static_cast<unsigned short>(port));
  if (bind(fd, reinterpret_cast<struct sockaddr*>(&local), sizeof(local)) < 0)
    return failed("cannot bind port " + std::to_string(port), fd);
  return fd;
}

bool Monitor::init() {
  done();
  mWhy.clear();
  mSocketFD = openUdpSocket(mPortNum, mWhy);
  if (mSocketFD == -1) {
    errorLine() << mWhy << "\n";
    return false;
  }
  std::memset(&mAddr, 0, sizeof(mAddr));
  mAddr.sin_family = AF_INET;
  mMonitors.clear();
  return true;
}

void Monitor::done() {
  if (mSocketFD != -1) ::close(mSocketFD);
  mSocketFD = -1;
  mMonitors.clear();
}

bool Monitor::waitForConnection() {
  if (mSocketFD == -1) return false;
  std::cout << "waiting for the monitor to connect [port " << mPortNum << " ]" << std::endl;
  do {
    std::cout << "." << std::flush;
    struct timeval quarter = {0, 250000};
    select(0, nullptr, nullptr, nullptr, &quarter);
    receiveInfo();
  } while (std::strncmp(mRBuf, "(dispinit", 9) != 0);
  std::cout << std::endl << "the monitor connected." << std::endl;
  return true;
}

displist_t* Monitor::findMonitor(const struct sockaddr_in& addr) {
  const unsigned long host = ntohl(addr.sin_addr.s_addr);
  const int port = ntohs(addr.sin_port);
  for (displist_t& m : mMonitors)
    if (m.shost == host && m.sport == port) return &m;
  return nullptr;
}

void Monitor::registerMonitor(int version) {
  // A monitor that says hello again is the same monitor: a second entry
  // would send it every record twice.
  if (displist_t* known = findMonitor(mAddr)) {
    known->version = version;
    return;
  }
  if (mMonitors.size() >= MAX_MONITORS) {
    errorLine() << "too many monitors, handshake from " << inet_ntoa(mAddr.sin_addr) << ":"
                << ntohs(mAddr.sin_port) << " ignored." << "\n";
    return;
  }
  mMonitors.push_back({static_cast<unsigned long>(ntohl(mAddr.sin_addr.s_addr)),
                       static_cast<int>(ntohs(mAddr.sin_port)), version});
}

int Monitor::receiveInfo() {
  std::memset(mRBuf, 0, sizeof(mRBuf));
  if (mSocketFD == -1) return -1;
  socklen_t len = sizeof(mAddr);
  const ssize_t n = recvfrom(mSocketFD, mRBuf, sizeof(mRBuf) - 1, 0,
                             reinterpret_cast<struct sockaddr*>(&mAddr), &len);
  if (n <= 0) return static_cast<int>(n);
  int version = 0;
  if (std::strcmp(mRBuf, "(dispinit)") == 0)
    registerMonitor(1);
  else if (handshakeVersion(mRBuf, version))
    registerMonitor(version);
  return static_cast<int>(n);
}

void Monitor::sendTo(const displist_t& to, const void* buffer, std::size_t size) {
  struct sockaddr_in addr;
  std::memset(&addr, 0, sizeof(addr));
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(static_cast<std::uint32_t>(to.shost));
  addr.sin_port = htons(static_cast<unsigned short>(to.sport));
  sendto(mSocketFD, buffer, size, 0, reinterpret_cast<struct sockaddr*>(&addr), sizeof(addr));
}

void Monitor::sendInfo(int, const dispinfo_t2& msg, const dispinfo_t& msg_old) {
  if (msg.mode != SHOW_MODE || mMonitors.empty()) return;
  unsigned char v2[DISPINFO_T2_SIZE];
  unsigned char v1[DISPINFO_T_SIZE];
  encode(msg, v2);
  encode(msg_old, v1);
  for (const displist_t& m : mMonitors) {
    if (m.version == 1)
      sendTo(m, v1, sizeof(v1));
    else
      sendTo(m, v2, sizeof(v2));
  }
}

void Monitor::sendMessage(const void* buffer, int size) {
  if (size < 0) return;
  for (const displist_t& m : mMonitors) sendTo(m, buffer, static_cast<std::size_t>(size));
}

int Monitor::receiveMessage(void* buffer, int size) {
  if (mMonitors.empty()) return 0;
  int n = -1;
  int strangers = 0;
  for (std::size_t i = 0; i < mMonitors.size();) {
    struct sockaddr_in from;
    socklen_t len = sizeof(from);
    std::memset(&from, 0, sizeof(from));
    n = static_cast<int>(recvfrom(mSocketFD, buffer, static_cast<std::size_t>(size < 0 ? 0 : size),
                                  0, reinterpret_cast<struct sockaddr*>(&from), &len));
    if (n >= 0 && !findMonitor(from)) {
      // Whoever did not say hello is not heard: what it sends must not
      // reach the server in a monitor's name.
      mStrangers.drop(from);
      if (++strangers > StrangerCount::MAX_PER_READ) return 0;
      n = 0;
      continue;
    }
    if (n > 0) break;
    ++i;
  }
  return n;
}

void Monitor::draw2D(const char* command) {
  sendMessage(command, static_cast<int>(std::strlen(command) + 1));
}

void Monitor::clear2D() { draw2D("_2D_ CLEAR;"); }

void Monitor::drawCached() {
  std::list<std::string>& cache = mForwarder.getCachedMessages();
  for (const std::string& line : cache) draw2D(line.c_str());
  cache.clear();
}
