#include "tolvane/connection.h"

#include "tolvane/clientparam.h"
#include "tolvane/serverparam.h"

char Connection::sendbuf[Connection::BUFFER_SIZE];

Connection::Connection() : buffer(sendbuf), CP(nullptr), SP(nullptr) {
  SP = ServerParam::instance();
  CP = ClientParam::instance();
}

Connection::~Connection() {}

bool Connection::connected() const {
  return false;
}

bool Connection::dataOnSocket() {
  return false;
}
