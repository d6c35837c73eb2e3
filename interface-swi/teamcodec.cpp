#include "interface-swi/teamcodec.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "interface-swi/client.h"
#include "interface-swi/commandlist.h"
#include "interface-swi/converters.h"
#include "tolvane/vekplayer.h"

namespace {

// 63 characters and the terminating zero.
const int SAY_BUFFER = 64;

// Answers with the say list of the text that format makes of its values. A
// point the team-mates could not read back (not finite), or one so far out
// that its text would not fit, makes no message.
template <class... Lead>
foreign_t say(const char* origin, term_t command, double x, double y, const char* format,
              Lead... lead) {
  char text[SAY_BUFFER];
  const int length = std::isfinite(x) && std::isfinite(y)
                         ? std::snprintf(text, sizeof text, format, lead..., x, y)
                         : -1;
  if (length < 0 || length >= SAY_BUFFER)
    return PL_warning("%s: no say message for the point (%g, %g)\n", origin, x, y);
  return PL_get_sclist(SoccerCommand(SoccerCommand::CMD_SAY, std::string(text)), command);
}

// The text of the last team-mate message; empty without a player.
std::string heard() { return client ? client->WM().getMsgString() : std::string(); }

// The number that starts at text, blanks skipped; 0 when none does.
double number_at(const char* text) { return std::strtod(text, nullptr); }

// Heard text is network input: a value that is not finite never reaches the
// agent program.
bool unify_point(term_t x, term_t y, double vx, double vy) {
  return std::isfinite(vx) && std::isfinite(vy) && PL_unify_float(x, vx) && PL_unify_float(y, vy);
}

} // namespace

foreign_t pl_say_ball_pos(term_t command) {
  if (!client) return FALSE;
  const Vector2D ball = client->WM().getBall().getAbsPos();
  return say("say_ball_pos/1", command, ball[0], ball[1], "bX%3.0fY%3.0fZ");
}

foreign_t pl_say_pass(term_t unum, term_t x, term_t y, term_t command) {
  static const char* const origin = "say_pass/4";
  int receiver = 0;
  double px = 0.0;
  double py = 0.0;
  if (!PL_get_integer(unum, &receiver) || !PL_get_float(x, &px) || !PL_get_float(y, &py))
    return FALSE;
  // Every receiver takes one character; a number beyond 11 would be read
  // back as a pass to the player of its first digit.
  if (receiver < MIN_UNUM || receiver > MAX_UNUM) return warn_unum(origin, receiver, 1);
  if (receiver == 10) return say(origin, command, px, py, "pA%3.0fY%3.0f");
  if (receiver == 11) return say(origin, command, px, py, "pB%3.0fY%3.0f");
  return say(origin, command, px, py, "p%i%3.0fY%3.0f", receiver);
}

foreign_t pl_hear_ball_pos(term_t x, term_t y) {
  const std::string text = heard();
  if (text.empty() || text[0] != 'b') return FALSE;
  const std::size_t atX = text.find('X');
  const std::size_t atY = text.find('Y');
  if (atX == std::string::npos || atY == std::string::npos || text.find('Z') == std::string::npos)
    return FALSE;
  return unify_point(x, y, number_at(text.c_str() + atX + 1), number_at(text.c_str() + atY + 1));
}

foreign_t pl_hear_pass(term_t unum, term_t x, term_t y) {
  const std::string text = heard();
  if (text.size() < 2 || text[0] != 'p') return FALSE;
  const char code = text[1];
  const int receiver = code == 'A' ? 10 : code == 'B' ? 11 : code - '0';
  if (receiver < MIN_UNUM || receiver > MAX_UNUM) return FALSE;
  // The receiver's character is a digit or a letter before Y, so Y comes
  // after it.
  const std::size_t atY = text.find('Y');
  if (atY == std::string::npos) return FALSE;
  const std::string first = text.substr(2, atY - 2);
  const std::string second = text.substr(atY + 1);
  std::cout << "v1 = " << first << " v2 = " << second << std::endl;
  return unify_point(x, y, number_at(first.c_str()), number_at(second.c_str())) &&
         PL_unify_integer(unum, receiver);
}
