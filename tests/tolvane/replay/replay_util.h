#ifndef TESTS_TOLVANE_REPLAY_REPLAY_UTIL_H
#define TESTS_TOLVANE_REPLAY_REPLAY_UTIL_H

#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/testutil/udpsocket.h"
#include "tolvane/logconnection.h"

namespace replaytest {

inline std::string dataFile(const std::string& name) {
  return std::string(TOLVANE_DATA_DIR) + "/" + name;
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  return bytes.str();
}

// The datagrams of a monitor capture: each framed by its big-endian length.
inline std::vector<std::string> monitorFrames(const std::string& file) {
  const std::string bytes = readFile(dataFile(file));
  std::vector<std::string> frames;
  for (std::size_t p = 0; p + 4 <= bytes.size();) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + p);
    const std::size_t n = (std::size_t(b[0]) << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
    frames.push_back(bytes.substr(p + 4, n));
    p += 4 + n;
  }
  return frames;
}

inline const unsigned char* bytesOf(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

// A monitor program on 127.0.0.1, its socket connected to the monitor
// server's port.
class FakeMonitor {
public:
  FakeMonitor() : fd(socket(AF_INET, SOCK_DGRAM, 0)) {}
  ~FakeMonitor() {
    if (thread.joinable()) thread.join();
    ::close(fd);
  }
  FakeMonitor(const FakeMonitor&) = delete;
  FakeMonitor& operator=(const FakeMonitor&) = delete;

  // In a thread of its own, as the monitor server blocks until it comes.
  void connectLater(int port, const std::string& handshake) {
    thread = std::thread([this, port, handshake] { connect(port, handshake); });
  }
  void join() { thread.join(); }

  bool connect(int port, const std::string& handshake) {
    return testutil::sendWhenServed(fd, port, handshake);
  }

  // The next datagram, "" when none comes within waitMs.
  std::string receive(int waitMs = 2000) {
    sockaddr_in from{};
    return testutil::receiveDatagram(fd, from, waitMs);
  }
  void send(const std::string& bytes) { ::send(fd, bytes.data(), bytes.size(), 0); }

private:
  int fd;
  std::thread thread;
};

// A file that can be read only once, as `cat FILE |` gives it: the reader
// opens the pipe as /dev/fd/N and must close it first, or cat never ends.
struct PipedFile {
  explicit PipedFile(const std::string& file)
      : cat(file.empty() ? nullptr : popen(("cat " + file).c_str(), "r")),
        path(cat ? "/dev/fd/" + std::to_string(fileno(cat)) : "") {}
  ~PipedFile() {
    if (cat) pclose(cat);
  }
  PipedFile(const PipedFile&) = delete;
  PipedFile& operator=(const PipedFile&) = delete;
  FILE* const cat;
  const std::string path;
};

// The replay link with its reader and position index opened up.
struct LogReader : LogConnection {
  using LogConnection::mComposer;
  using LogConnection::mCurrent;
  using LogConnection::mFilePos;
  using LogConnection::mLogFile;
  using LogConnection::mMaxPos;
  using LogConnection::mtBuf;
  using LogConnection::mtBuf2;
  using LogConnection::mVersion;
  using LogConnection::newShowinfo;
  using LogConnection::openLog;
  using LogConnection::readLog;
};

} // namespace replaytest

#endif
