#ifndef TESTS_INTERFACE_SWI_PROGRAM_H
#define TESTS_INTERFACE_SWI_PROGRAM_H

// The built program, run as a process against a fake server on the
// loopback interface.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "testutil/tempdir.h"
#include "testutil/udpsocket.h"

extern char** environ;

namespace programtest {

// The server's end: a UDP socket on a free loopback port.
struct FakeServer {
  FakeServer() : fd(testutil::loopbackUdpSocket(port)) {}
  ~FakeServer() { close(fd); }
  FakeServer(const FakeServer&) = delete;
  FakeServer& operator=(const FakeServer&) = delete;

  // The next datagram's text, "" when none comes in time: by default as
  // long as a sanitized program, slow to start on a busy machine, may take.
  std::string receive(int millis = 10000) {
    const std::string bytes = testutil::receiveDatagram(fd, peer, std::max(millis, 1));
    return bytes.substr(0, bytes.find('\0'));
  }
  void reply(const std::string& text) { testutil::sendDatagram(fd, text + '\0', peer); }

  int port = 0;
  int fd;
  sockaddr_in peer{};
};

// One run of the program with the given arguments; standard output and
// error go to files in the directory. Killed when it is still running at
// the end.
struct Program {
  Program(const std::string& path, std::vector<std::string> args, testutil::TempDir& dir)
      : out(dir.file("out", "")), err(dir.file("err", "")) {
    args.insert(args.begin(), path);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 1, out.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&fa, 2, err.c_str(), O_WRONLY | O_TRUNC, 0);
    if (posix_spawn(&pid, path.c_str(), &fa, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&fa);
  }
  ~Program() {
    if (pid > 0 && kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The exit status, or -1 when the program has not ended within 20 s. A
  // program whose resident memory passes limit bytes is killed on the spot.
  int status(long limit = 0) {
    for (int i = 0; pid > 0 && i < 4000; ++i) {
      int st = 0;
      if (waitpid(pid, &st, WNOHANG) == pid) {
        pid = -1;
        return WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
      }
      std::ifstream proc("/proc/" + std::to_string(pid) + "/status");
      for (std::string line; limit > 0 && std::getline(proc, line);)
        if (line.rfind("VmRSS:", 0) == 0 && std::stol(line.substr(6)) * 1024L > limit) kill(pid, SIGKILL);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
  }

  std::string out;
  std::string err;
  pid_t pid = -1;
};

} // namespace programtest

#endif
