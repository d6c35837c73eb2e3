#ifndef TESTS_TESTUTIL_FULLSTATETRUTH_H
#define TESTS_TESTUTIL_FULLSTATETRUTH_H

#include <sstream>
#include <string>

#include "tolvanebase/angle.h"
#include "tolvanebase/vector.h"

namespace testutil {

// The true state after the server's fullstate message: the agent's (left
// player 2) position and neck direction, and the ball's position.
struct Truth {
  Vector2D me, ball;
  double neck = 0.0;
  bool read(const std::string& msg) {
    const std::size_t b = msg.find("((b) ");
    const std::size_t p = msg.find("((p l 2 ");
    if (b == std::string::npos || p == std::string::npos) return false;
    std::istringstream bs(msg.substr(b + 5));
    bs >> ball[0] >> ball[1];
    std::istringstream ps(msg.substr(msg.find(')', p) + 1));
    double vx, vy, body, head;
    ps >> me[0] >> me[1] >> vx >> vy >> body >> head;
    neck = double(vekbase::AngleDeg(body + head));
    return !ps.fail() && !bs.fail();
  }
};

} // namespace testutil

#endif
