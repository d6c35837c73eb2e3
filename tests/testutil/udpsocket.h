#ifndef TESTS_TESTUTIL_UDPSOCKET_H
#define TESTS_TESTUTIL_UDPSOCKET_H

#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <string>
#include <thread>

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

// A port of 127.0.0.1 that was free a moment ago.
inline int freeLoopbackPort() {
  int port = 0;
  ::close(loopbackUdpSocket(port));
  return port;
}

// Connects fd to port of 127.0.0.1 and sends text until it is not refused:
// a datagram sent before the port is served comes back as a refusal, so the
// server receives exactly one. False when it is still refused after 20 s,
// as a sanitized program on a busy machine may be slow to serve it.
inline bool sendWhenServed(int fd, int port, const std::string& text) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  to.sin_port = htons(static_cast<unsigned short>(port));
  connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof(to));
  for (int tries = 0; tries < 1000; ++tries) {
    send(fd, text.data(), text.size(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    int error = 0;
    socklen_t len = sizeof(error);
    getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len);
    if (error != ECONNREFUSED) return true;
  }
  return false;
}

} // namespace testutil

#endif
