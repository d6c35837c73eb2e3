#ifndef TOLVANE_CONNECTION_H
#define TOLVANE_CONNECTION_H

#include <string>

#include "tolvanebase/timevalxl.h"

class ClientParam;
class ServerParam;

// The agent's one link to the soccer server (or to whatever stands in for
// it): opening, the init message, the per-cycle commands and the wait for
// the server's datagrams.
class Connection {
public:
  // Size of the message buffer, terminating zero byte included.
  static const int BUFFER_SIZE = 8192;

  // The one buffer every link shares: the init text while it is sent, and
  // after each successful waitForMessage the text just received,
  // zero-terminated. The player driver parses it from here.
  static char sendbuf[BUFFER_SIZE];

  Connection();
  virtual ~Connection();

  virtual bool open() = 0;
  virtual void close() = 0;
  virtual bool sendMessage(const std::string& buf) = 0;
  virtual bool sendMessage(const char* buf) = 0;
  virtual bool sendInitializeMessage() = 0;
  virtual bool waitForMessage(vekbase::TimevalXL timeout) = 0;
  virtual bool connected() const;
  // Whether a message waits to be read at once.
  virtual bool dataOnSocket();
  // Why the last open or init message failed, in words for the user; empty
  // when the link cannot tell.
  virtual std::string whyFailed() const { return std::string(); }
  // What the player says when the link has nothing more to give, in words
  // for the user; empty when the end needs no word.
  virtual std::string whyEnded() const { return std::string(); }

protected:
  char* buffer;
  ClientParam* CP;
  ServerParam* SP;

private:
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
};

#endif
