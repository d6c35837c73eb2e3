#ifndef TESTS_TOLVANE_REPLAY_REPLAY_UTIL_H
#define TESTS_TOLVANE_REPLAY_REPLAY_UTIL_H

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Bytes that can be read once, by name, as `cat FILE |` gives them: a
// thread of its own writes them into a pipe (a FIFO when fifo names one to
// make, else an anonymous pipe named /dev/fd/N, as process substitution and
// /dev/stdin name theirs) and closes it. The pipe keeps a reader of its own
// until the writer is joined, so that neither the writer's open nor its
// writes wait for a reader that never comes; to be destroyed after the
// reader under test.
class PipeWriter {
public:
  explicit PipeWriter(const std::string& bytes, const std::string& fifo = "") : fifoPath(fifo) {
    int ends[2] = {-1, -1};
    if (fifo.empty() && pipe(ends) == 0) {
      holder = ends[0];
      writeEnd = ends[1];
      path = "/dev/fd/" + std::to_string(holder);
    } else if (!fifo.empty() && mkfifo(fifo.c_str(), 0600) == 0) {
      holder = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
      writeEnd = ::open(fifo.c_str(), O_WRONLY);
      path = fifo;
    }
    writer = std::thread([this, bytes] {
      // A reader that stops early makes the write fail, not the test.
      sigset_t pipeSignal;
      sigemptyset(&pipeSignal);
      sigaddset(&pipeSignal, SIGPIPE);
      pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
      for (std::size_t at = 0; writeEnd >= 0 && at < bytes.size();) {
        const ssize_t n = ::write(writeEnd, bytes.data() + at, bytes.size() - at);
        if (n <= 0) break;
        at += std::size_t(n);
      }
      if (writeEnd >= 0) ::close(writeEnd);
    });
  }
  ~PipeWriter() {
    if (holder >= 0) ::close(holder);
    writer.join();
    if (!fifoPath.empty()) unlink(fifoPath.c_str());
  }
  PipeWriter(const PipeWriter&) = delete;
  PipeWriter& operator=(const PipeWriter&) = delete;

  // The name the reader opens.
  std::string path;

private:
  std::string fifoPath;
  int holder = -1;
  int writeEnd = -1;
  std::thread writer;
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
