#ifndef TESTS_TESTUTIL_UDPSOCKET_H
#define TESTS_TESTUTIL_UDPSOCKET_H

#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <cstddef>
#include <string>

// The socket side of a fake soccer server, on the loopback address only.
namespace testutil {

// A UDP socket bound to a free port of 127.0.0.1, which goes to port.
inline int loopbackUdpSocket(int& port) {
  const int fd = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
  socklen_t len = sizeof(addr);
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  port = ntohs(addr.sin_port);
  return fd;
}

// The next datagram on fd as sent, its sender in from; "" when none comes
// within waitMs.
inline std::string receiveDatagram(int fd, sockaddr_in& from, int waitMs) {
  timeval tv = {waitMs / 1000, (waitMs % 1000) * 1000};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof(tv));
  char buf[10000];
  socklen_t len = sizeof(from);
  const ssize_t n = recvfrom(fd, buf, sizeof(buf), 0, reinterpret_cast<sockaddr*>(&from), &len);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

inline void sendDatagram(int fd, const std::string& bytes, const sockaddr_in& to) {
  sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof(to));
}

} // namespace testutil

#endif
