// The parser of the soccer server's messages. It reads the raw text with
// plain searches; every position is checked against the text's end, so a
// truncated or malformed message is dropped (or the block skipped) with a
// log line and never read beyond.

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <iostream>

#include "tolvane/actuator.h"
#include "tolvane/paramreader.h"
#include "tolvane/playerparam.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"
#include "tolvane/vekplayer.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_PARSER = 1215;
const unsigned short LEVEL = 20;
const std::size_t npos = std::string::npos;

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The start of a number as strtol and strtod see it: blanks skipped, a
// leading '+' dropped (std::from_chars takes only '-').
const char* numberStart(const char* first, const char* last) {
  while (first < last && isBlank(*first)) ++first;
  if (first < last && *first == '+' && first + 1 < last && first[1] != '-') ++first;
  return first;
}

// The decimal integer at the start of [first, last), independent of the
// locale; 0 when there is none, clamped to the range of int.
int toInt(const char* first, const char* last) {
  first = numberStart(first, last);
  long long v = 0;
  const std::from_chars_result res = std::from_chars(first, last, v, 10);
  if (res.ec == std::errc::result_out_of_range)
    return first < last && *first == '-' ? INT_MIN : INT_MAX;
  if (res.ec != std::errc()) return 0;
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

// The decimal number at the start of [first, last), independent of the
// locale; 0 when there is none.
double toDouble(const char* first, const char* last, const char** stop = nullptr) {
  first = numberStart(first, last);
  double v = 0.0;
  const std::from_chars_result res = std::from_chars(first, last, v, std::chars_format::general);
  if (stop) *stop = res.ec == std::errc() ? res.ptr : first;
  return res.ec == std::errc() ? v : 0.0;
}

int toInt(const std::string& s) {
  return toInt(s.data(), s.data() + s.size());
}

// No distance, coordinate or speed that a server reports comes near
// LONGEST; no other number (an angle, a change, a stamina) near HUGE.
const double LONGEST = ServerParam::ABSURD_LENGTH;
const double HUGE_NUMBER = 1e6;

bool absurd(double v, double limit) {
  return !std::isfinite(v) || std::fabs(v) > limit;
}

// Reads the number at the start of word into value, as toDouble does (0
// when there is none), and says whether it is one a server could send:
// false when it is not finite, beyond the range of a double, or beyond
// limit. A word that is no number (a tackle's "t") is left to its reader.
bool readNumber(const std::string& word, double limit, double& value) {
  const char* last = word.data() + word.size();
  const char* first = numberStart(word.data(), last);
  const std::from_chars_result res =
      std::from_chars(first, last, value, std::chars_format::general);
  if (res.ec == std::errc()) return !absurd(value, limit);
  value = 0.0;
  return res.ec != std::errc::result_out_of_range;
}

// Reads words[from, to) into out[from, to); false, with the rest unread,
// at the first that no server sends.
template <std::size_t N>
bool readNumbers(const std::vector<std::string>& words, std::size_t from, std::size_t to,
                 double limit, double (&out)[N]) {
  if (to > N) return false;
  for (std::size_t i = from; i < to; ++i)
    if (!readNumber(words[i], limit, out[i])) return false;
  return true;
}

// The one message-log line for a value refused where it was parsed; what
// it belonged to is dropped, the rest of the message is still read.
void refused(const char* what, const std::string& msg) {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, ZONE_PARSER)
      << "refused " << what << " with a number that is not finite or beyond any field: " << msg
      << "\n";
}

// From position pos of s (nothing when pos lies beyond the end).
int intAt(const std::string& s, std::size_t pos) {
  if (pos > s.size()) return 0;
  return toInt(s.data() + pos, s.data() + s.size());
}

// Whether a ball, flag, goal or line of a sight has a form the server sends:
// direction; distance and direction; or these with their changes.
bool landmarkValues(int values) { return values == 1 || values == 2 || values == 4; }

// Hands the values n[1] on of such an object to see.
template <class See> void seeWithValues(const double* n, int values, See see) {
  using vekbase::AngleDeg;
  if (values == 1)
    see(AngleDeg(n[1]));
  else if (values == 2)
    see(n[1], AngleDeg(n[2]));
  else
    see(n[1], AngleDeg(n[2]), n[3], AngleDeg(n[4]));
}

// Appends the blank-separated words of s[from, to) to out.
void splitWords(const std::string& s, std::size_t from, std::size_t to,
                std::vector<std::string>& out) {
  if (to > s.size()) to = s.size();
  std::size_t i = from;
  while (i < to) {
    while (i < to && isBlank(s[i])) ++i;
    std::size_t j = i;
    while (j < to && !isBlank(s[j])) ++j;
    if (j > i) out.emplace_back(s, i, j - i);
    i = j;
  }
}

// The position of the ")" that closes the block opened at open; the text's
// end when the block is not closed.
std::size_t blockEnd(const std::string& s, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < s.size(); ++i) {
    if (s[i] == '(') {
      ++depth;
    } else if (s[i] == ')' && --depth <= 0) {
      return i;
    }
  }
  return s.size();
}

// what from position from on, standing wholly before end; npos otherwise.
std::size_t findWithin(const std::string& s, const std::string& what, std::size_t from,
                       std::size_t end) {
  const std::size_t pos = from <= s.size() ? s.find(what, from) : npos;
  return pos != npos && pos + what.size() <= end ? pos : npos;
}

// Searches what from the cursor on; failing that, wholly before it.
std::size_t findAroundCursor(const std::string& s, const std::string& what, std::size_t cursor) {
  std::size_t pos = cursor <= s.size() ? s.find(what, cursor) : npos;
  if (pos != npos) return pos;
  pos = s.find(what);
  if (pos != npos && (cursor == npos || pos + what.size() <= cursor)) return pos;
  return npos;
}

} // namespace

void VekPlayer::warn(unsigned short level, std::string_view text, std::string_view msg) const {
  traceLine(ZONE_PARSER, level, text, msg);
}

VekPlayer::SenseType VekPlayer::parse(const std::string& msg) {
  cycleRefused = false;
  // Positions 1, 3 and 8 tell the kinds apart; a shorter text is no server
  // message of that kind.
  if (msg.size() < 2) {
    warn(LEVEL, "unknown message received from server: ", msg);
    return xOtherMsg;
  }
  switch (msg[1]) {
  case 'c':
    parseChangePlayerTypeMessage(msg);
    return xOtherMsg;
  case 'f':
    parseFullstate(msg);
    return FullstateMsg;
  case 'h':
    parseHear(msg);
    return cycleRefused ? xOtherMsg : HearMsg;
  case 'i':
    if (msg.find(' ') == npos)
      warn(LEVEL, "blank expected in server message: ", msg);
    else
      parseInitMessage(msg);
    return xOtherMsg;
  case 'p':
    if (msg.size() > 8 && msg[8] == 'p') {
      if (msg.find(' ') == npos)
        warn(LEVEL, "blank expected in player_param message: ", msg);
      else
        parsePlayerParam(msg);
      return xOtherMsg;
    }
    if (msg.size() > 8 && msg[8] == 't') {
      parsePlayerType(msg);
      return xOtherMsg;
    }
    break;
  case 'r':
    parseInitMessage(msg);
    return xOtherMsg;
  case 's':
    if (msg.size() < 4) break;
    switch (msg[3]) {
    case 'e':
      parseSee(msg);
      return cycleRefused ? xOtherMsg : SeeMsg;
    case 'n':
      // The cycle's time follows the keyword; without it there is no
      // cycle to open.
      if (msg.size() <= 12) {
        warn(LEVEL, "sense_body message too short: ", msg);
        return xOtherMsg;
      }
      parseSenseBody(msg);
      return cycleRefused ? xOtherMsg : SenseMsg;
    case 'o':
      return ScoreMsg;
    case 'r':
      if (msg.find(' ') == npos)
        warn(LEVEL, "blank expected in server_param message ", msg);
      else
        parseServerParam(msg);
      return xOtherMsg;
    default:
      break;
    }
    break;
  case 't':
    warn(LEVEL, "Think message received. ");
    return ThinkMsg;
  default:
    warn(LEVEL, "unknown message received from server: ", msg);
    return xOtherMsg;
  }
  warn(LEVEL, "unknown message received from server ", msg);
  return xOtherMsg;
}

bool VekPlayer::parseInitMessage(const std::string& msg) {
  Side s;
  int unum;
  std::size_t modeStart;
  if (msg[1] == 'i') {
    const std::size_t pos = msg.find("(init ");
    if (pos == npos) {
      warn(LEVEL, "init message expected: ", msg);
      return false;
    }
    const std::size_t sidePos = pos + 6;
    const std::size_t blank = sidePos < msg.size() ? msg.find(' ', sidePos + 2) : npos;
    if (blank == npos) {
      warn(LEVEL, "blank expected in init message: ", msg);
      return false;
    }
    s = sideAt(msg, sidePos);
    unum = toInt(msg.data() + sidePos + 2, msg.data() + blank);
    modeStart = blank;
  } else {
    const std::size_t pos = msg.find("(reconnect ");
    if (pos == npos || pos + 11 >= msg.size()) {
      warn(LEVEL, "reconnect message expected: ", msg);
      return false;
    }
    const std::size_t sidePos = pos + 11;
    s = sideAt(msg, sidePos);
    unum = CP->reconnect_unum;
    modeStart = sidePos + 1;
  }
  if (unum < 1 || unum > 11) {
    warn(LEVEL, "shirt number out of range in init message: ", msg);
    return false;
  }
  if (s != l && s != r) {
    warn(LEVEL, "side expected in init message: ", msg);
    return false;
  }
  WMS.initWM(static_cast<Unum>(unum), s);
  WMF.init(static_cast<Unum>(unum), s);
  parsePlayMode(msg.substr(modeStart));
  return true;
}

void VekPlayer::parseParamsToReader(ParamReader& reader, const std::string& msg,
                                    std::size_t start) {
  reader.begin();
  std::size_t pos = msg.find('(', start);
  while (pos != npos) {
    ++pos;
    setNextParam(reader, msg, pos);
    pos = msg.find('(', pos);
  }
  reader.end();
}

void VekPlayer::setNextParam(ParamReader& reader, const std::string& msg, std::size_t& pos) {
  const std::size_t blank = msg.find(' ', pos);
  if (blank == npos) {
    warn(LEVEL, "unexpected end of string in param message: ", msg);
    return;
  }
  const std::size_t close = msg.find(')', blank);
  if (close == npos) {
    warn(LEVEL, "')' expected in param message: ", msg);
    pos = msg.size();
    return;
  }
  reader.setParameter(msg.substr(pos, blank - pos), msg.substr(blank + 1, close - blank - 1));
  pos = close;
}

void VekPlayer::parseServerParam(const std::string& msg) {
  // The store keeps itself started from its construction on; only a store
  // started afresh writes the defaults the message's pairs then overwrite.
  SP->end();
  parseParamsToReader(*SP, msg, 2);
}

void VekPlayer::parsePlayerParam(const std::string& msg) {
  PP->end();
  parseParamsToReader(*PP, msg, 2);
  // One record per type plus the worst-case record; a count the table
  // cannot hold was refused and left the default.
  PT->setNumTypes(PP->player_types + 1);
}

void VekPlayer::parsePlayerType(const std::string& msg) {
  const std::size_t idPos = msg.find("(id ");
  if (idPos == npos) {
    warn(LEVEL, "'id' keyword expected in player_type message ", msg);
    return;
  }
  const std::size_t close = msg.find(')', idPos + 4);
  if (close == npos) {
    warn(LEVEL, "')' expected in player_type message ", msg);
    return;
  }
  const int id = toInt(msg.data() + idPos + 4, msg.data() + close);
  if (msg.find(' ', close) == npos) {
    warn(LEVEL, "blank expected in player_type message ", msg);
    return;
  }
  if (id < 0 || id >= PT->numTypes()) {
    warn(LEVEL, "player type out of range in player_type message: ", msg);
    return;
  }
  PT->setCurrentType(id);
  // The pairs follow the id pair directly, with or without a blank between.
  parseParamsToReader(*PT, msg, close + 1);
  if (id == PP->player_types - 1) warn(LEVEL, " setting wc player");
}

void VekPlayer::parseChangePlayerTypeMessage(const std::string& msg) {
  static std::vector<std::string> values;
  parseString = msg;
  p1 = 0;
  if (parseParam(values, "change_player_type") != 2) return;
  const int unum = toInt(values[0]);
  const int type = toInt(values[1]);
  if (unum < 1 || unum > 11 || static_cast<std::size_t>(unum) >= uwms.getOwn().size()) {
    warn(LEVEL, "shirt number out of range in change_player_type message: ", msg);
    return;
  }
  if (type < 0 || type >= PT->numTypes()) {
    warn(LEVEL, "player type out of range in change_player_type message: ", msg);
    return;
  }
  uwms.getOwnPlayer(unum).setPlayerType(type);
}

void VekPlayer::parseScore(const std::string& msg) {
  static std::vector<std::string> values;
  parseString = msg;
  p1 = 0;
  if (parseParam(values, "score") < 3) return;
  const int mine = toInt(values[1]);
  const int theirs = toInt(values[2]);
  WMS.setScores(mine, theirs);
  traceLine(ZONE_PARSER, 50, "parsed Scores: our score: ", mine, " their score: ", theirs);
}

Side VekPlayer::sideAt(const std::string& word, std::size_t index) {
  if (index >= word.size()) return u;
  return lookUp(side, std::string(1, word[index]));
}

void VekPlayer::parsePlayMode(const std::string& msg) {
  const std::size_t blank = msg.find(' ');
  if (blank == npos) {
    warn(LEVEL, "blank expected in message: ", msg);
    return;
  }
  const std::size_t end = msg.find_first_of(") ", blank + 1);
  if (end == npos) {
    traceLine(ZONE_PARSER, LEVEL, "')' expected in message: ", msg, "(", blank + 1, ")");
    return;
  }
  const std::string word = msg.substr(blank + 1, end - blank - 1);
  std::string mode = word;

  // Only a letter l or r names a team. While the own side is undetermined
  // (u), any other letter (goal_kick_l has a k there) would otherwise be
  // taken for the own side.
  const Side mine = WMS.getMySide();
  const Side theirs = WMS.getTheirSide();
  auto score = [&](Side scorer) {
    if (scorer == u) return false;
    if (scorer == mine)
      WMS.setScores(WMS.getMyScore() + 1, WMS.getTheirScore());
    else if (scorer == theirs)
      WMS.setScores(WMS.getMyScore(), WMS.getTheirScore() + 1);
    else
      return false;
    return true;
  };

  if (word.compare(0, 5, "goal_") == 0) {
    if (score(sideAt(word, 5))) mode = "before_kick_off";
  } else if (word.compare(0, 5, "free_") == 0) {
    // The free kick after a catch is the goalie's, whatever letter it has.
    if (WMS.getPlayMode() == PlayMode::My_Goalie_Catch_Ball)
      mode = mine == l ? "goalie_free_kick_l" : "goalie_free_kick_r";
    else if (WMS.getPlayMode() == PlayMode::Their_Goalie_Catch_Ball)
      mode = mine == r ? "goalie_free_kick_l" : "goalie_free_kick_r";
  } else if (word.compare(0, 8, "penalty_") == 0) {
    if (word.compare(8, 5, "score") == 0)
      score(sideAt(word, 14));
    else if (word.compare(8, 7, "onfield") == 0 && word.size() > 16)
      WMS.setPenaltyKickSide(sideAt(word, 16));
  }
  WMS.setPlayMode(mode);
}

void VekPlayer::parseHear(const std::string& msg) {
  warn(LEVEL, "Parsing hear msg: ", msg);
  parseString = msg;

  p1 = parseString.find(' ');
  if (p1 == npos) {
    warn(LEVEL, "blank expected after hear: ", msg);
    return;
  }
  p2 = parseString.find(' ', p1 + 1);
  if (p2 == npos) {
    warn(LEVEL, "blank expected after time: ", msg);
    return;
  }
  const int time = toInt(parseString.data() + p1 + 1, parseString.data() + p2);
  if (!onTimeline(time, false, msg)) return;

  const std::size_t senderStart = p2 + 1;
  p1 = senderStart;
  p2 = parseString.find(' ', p1);
  if (p2 == npos) {
    warn(LEVEL, "blank expected after dir/sender: ", msg);
    return;
  }
  const std::string sender = parseString.substr(p1, p2 - p1);

  if (sender == "self") {
    warn(LEVEL, "sender is me, ignoring message");
    return;
  }
  if (sender == "referee") {
    warn(LEVEL, "sender is referee");
    parsePlayMode(parseString.substr(senderStart));
    return;
  }
  if (sender == "online_coach_left" || sender == "online_coach_right") {
    warn(LEVEL, "sender is an online coach");
    if (parseString.find(')', senderStart) == npos) {
      warn(LEVEL, "')' expected in message: ", msg);
      return;
    }
    parseOnlineCoach(parseString.substr(senderStart));
    return;
  }
  if (sender == "coach") {
    warn(LEVEL, "sender is an _OFF_line coach, ignoring message");
    return;
  }

  const vekbase::AngleDeg direction(toInt(sender));
  p1 = p2 + 1;
  p2 = parseString.find(' ', p1);
  if (p2 == npos) {
    warn(LEVEL, "blank expected after sender: ", msg);
    return;
  }
  const std::string team = parseString.substr(p1, p2 - p1);
  MsgObject* stored;
  int unum = 0;
  if (team == "our") {
    p1 = p2 + 1;
    p2 = parseString.find(' ', p1);
    if (p2 == npos) {
      warn(LEVEL, "blank expected after unum: ", msg);
      return;
    }
    unum = toInt(parseString.data() + p1, parseString.data() + p2);
    if (unum < 1 || unum > 11) {
      warn(LEVEL, "shirt number out of range in hear message: ", msg);
      return;
    }
    traceLine(ZONE_PARSER, LEVEL, "sender is teammate no. ", unum);
    stored = &WMS.getTeamMsg();
  } else if (team == "opp") {
    warn(LEVEL, "sender is an opponent.");
    stored = &WMS.getOpponentMsg();
  } else {
    return;
  }

  const std::size_t open = parseString.find('"', p2);
  if (open == npos) {
    warn(LEVEL, "no quotation marks: ", msg);
    return;
  }
  const std::size_t close = parseString.find('"', open + 1);
  if (close == npos) {
    warn(LEVEL, "only one quotation mark: ", msg);
    return;
  }
  stored->setMsgString(parseString.substr(open + 1, close - open - 1));
  stored->setReceiveTime(vekbase::Timer(time, 0));
  if (unum > 0) stored->setSenderUnum(static_cast<Unum>(unum));
  stored->setSenderDirection(direction);
}

double VekPlayer::decodeOnlineCoach(const std::string& field) {
  std::cout << "begin decode " << field << std::endl;
  double value = 0.0;
  for (const char c : field) value = value * 62 + (static_cast<signed char>(c) - 48);
  return value;
}

// msg is the hear message from the sender word on; the faults found in
// the payload quote the whole hear message, which parseString holds.
void VekPlayer::parseOnlineCoach(const std::string& msg) {
  const std::size_t blank = msg.find(' ');
  if (blank == npos) {
    warn(LEVEL, "blank expected in message: ", msg);
    return;
  }
  // The payload stands between the 11 characters of its head after the
  // blank and the 3 characters that close the message.
  const std::size_t start = blank + 12;
  if (msg.size() < start + 3) {
    warn(LEVEL, "online coach message too short: ", parseString);
    return;
  }
  const std::string payload = msg.substr(start, msg.size() - 3 - start);
  std::cout << "TEMP : " << payload << std::endl;

  // The fields are decoded one after the other, x before y, so that their
  // trace lines come in the payload's order.
  auto position = [](const std::string& block, std::size_t at) {
    const double x = decodeOnlineCoach(block.substr(at, 2)) / 10.0 - 70.0;
    const double y = decodeOnlineCoach(block.substr(at + 2, 2)) / 10.0 - 70.0;
    return Vector2D(x, y);
  };
  auto velocity = [](const std::string& block, std::size_t at) {
    const double vx = decodeOnlineCoach(block.substr(at, 2)) / 100.0 - 2.0;
    const double vy = decodeOnlineCoach(block.substr(at + 2, 2)) / 100.0 - 2.0;
    return Vector2D(vx, vy);
  };

  if (payload.compare(0, 2, "y/") == 0 && payload.size() == 90) {
    std::cout << "you : " << payload << std::endl;
    for (int k = 1; k <= 11; ++k) {
      const std::string block = payload.substr(2 + 8 * (k - 1), 8);
      if (block == "????????" || static_cast<std::size_t>(k) >= uwms.getOwn().size()) continue;
      PlayerObject& player = uwms.getOwnPlayer(k);
      player.setAbsPos(position(block, 0));
      player.setAbsVel(velocity(block, 4));
    }
  } else if (payload.compare(0, 2, "t/") == 0 && payload.size() == 101) {
    std::cout << "they" << std::endl;
    for (int k = 1; k <= 11; ++k) {
      const std::string block = payload.substr(2 + 9 * (k - 1), 9);
      if (block == "?????????" || static_cast<std::size_t>(k) >= uwms.getOthers().size())
        continue;
      PlayerObject& player = uwms.getOthersPlayer(k);
      const int type = block[0] - '0';
      if (block[0] >= '0' && block[0] <= '9' && type < PT->numTypes())
        player.setPlayerType(type);
      else
        warn(LEVEL, "player type out of range in online coach message: ", parseString);
      player.setAbsPos(position(block, 1));
      player.setAbsVel(velocity(block, 5));
    }
  }
}

bool VekPlayer::getFullstateBallVals(std::vector<std::string>& vals) {
  p1 = findAroundCursor(parseString, "((b)", p1);
  if (p1 == npos) {
    warn(LEVEL, "'((b)' expected in fullstate message: ", parseString);
    return false;
  }
  vals.clear();
  p1 += 4;
  p2 = parseString.find(')', p1);
  // A "(" before the ")" belongs to the next block: this one is not closed.
  if (p2 == npos || parseString.find('(', p1) < p2) {
    warn(LEVEL, "')' expected in fullstate message: ", parseString);
    return false;
  }
  splitWords(parseString, p1, p2, vals);
  return true;
}

bool VekPlayer::getFullstatePlayerVals(std::vector<std::string>& vals, bool& lastPlayer) {
  const std::string& s = parseString;
  p1 = p1 <= s.size() ? s.find("((p ", p1) : npos;
  if (p1 == npos) {
    warn(LEVEL, "'((p ' expected in fullstate message: ", s);
    return false;
  }
  vals.clear();
  p1 += 4;
  p2 = s.find(')', p1);
  if (p2 == npos || s.find('(', p1) < p2) {
    warn(LEVEL, "')' expected in fullstate message: ", s);
    return false;
  }
  splitWords(s, p1, p2, vals);

  // Each part must end before the next one of its block begins, so that no
  // words of another block are taken.
  p1 = p2 + 1;
  const std::size_t stamina = s.find("(stamina ", p1);
  const std::size_t nextParen = s.find_first_of("()", p1);
  if (stamina == npos || nextParen < stamina) {
    warn(LEVEL, "'(stamina ' expected in fullstate message: ", s);
    return false;
  }
  splitWords(s, p1, stamina, vals);

  p1 = stamina + 9;
  p2 = s.find(')', p1);
  if (p2 == npos || s.find('(', p1) < p2 || p2 + 1 >= s.size() || s[p2 + 1] != ')') {
    warn(LEVEL, "'))' expected in fullstate message: ", s);
    return false;
  }
  if (p2 + 2 < s.size() && s[p2 + 2] == ')') lastPlayer = true;
  splitWords(s, p1, p2, vals);
  return true;
}

void VekPlayer::parseFullstate(const std::string& msg) {
  std::vector<std::string> vals(8);
  std::vector<std::string> ballVals(4);
  std::vector<std::string> playerVals(12);

  int kick, dash, turn, catches, move, turnNeck, changeView, say, pointTo, attentionTo, tackle;
  actuator->getCounts(kick, dash, turn, catches, move, turnNeck, changeView, say, pointTo,
                      attentionTo, tackle);

  parseString = msg;
  bool lastPlayer = false;
  p1 = 11;
  p2 = parseString.find(' ', p1 <= parseString.size() ? p1 : parseString.size());

  // A block with fewer values than it must carry is skipped whole.
  auto block = [&](const char* keyword, int wanted) {
    if (parseParam(vals, keyword) >= wanted) return true;
    if (p1 != npos && p2 != npos)
      warn(LEVEL, std::string(keyword) + " values expected in fullstate message: ", msg);
    return false;
  };

  if (block("pmode", 1)) WMF.setPlayMode(vals[0]);
  if (block("vmode", 2)) {
    WMF.setViewMode(lookUp(view_quality, vals[0]), lookUp(view_width, vals[1]));
  }
  if (block("count", 8)) {
    int* const counters[] = {&kick, &dash, &turn, &catches, &move, &turnNeck, &changeView, &say};
    for (std::size_t i = 0; i < 8; ++i) *counters[i] = toInt(vals[i]);
  }

  int armMovable = 0;
  int armExpires = 0;
  double armDist = 0.0;
  vekbase::AngleDeg armDir;
  parseArmValues(armMovable, armExpires, armDist, armDir, pointTo);
  // The message has no attentionto and no tackle count: those stay the
  // queue's own, so that none of them is taken as lost.
  actuator->setCounts(kick, dash, turn, catches, move, turnNeck, changeView, say, pointTo,
                      attentionTo, tackle);
  WMF.setArm(armMovable, armExpires, armDist, armDir);

  if (block("score", 2)) WMF.setScore(toInt(vals[0]), toInt(vals[1]));

  // Without a ball block the fresh list of empty words puts the ball at
  // rest on the centre spot.
  const bool ballRead = getFullstateBallVals(ballVals);
  double b[4];
  if (ballVals.size() == 4 && !readNumbers(ballVals, 0, 4, LONGEST, b)) {
    refused("the ball", msg);
  } else if (ballVals.size() == 4) {
    Vector2D pos(b[0], b[1]);
    Vector2D vel(b[2], b[3]);
    WMF.setBall(pos, vel);
  } else if (ballRead) {
    warn(LEVEL, "ball values expected in fullstate message: ", msg);
  }

  while (!lastPlayer) {
    playerVals.clear();
    if (!getFullstatePlayerVals(playerVals, lastPlayer)) break;
    if (playerVals.size() != 12) {
      warn(LEVEL, "player values expected in fullstate message: ", msg);
      continue;
    }
    const int unum = toInt(playerVals[1]);
    if (unum < 1 || unum > 11) {
      warn(LEVEL, "shirt number out of range in fullstate message: ", msg);
      continue;
    }
    // The position and velocity, then the body and neck angle, the
    // stamina, effort and recovery.
    double n[12];
    if (!readNumbers(playerVals, 3, 7, LONGEST, n) ||
        !readNumbers(playerVals, 7, 12, HUGE_NUMBER, n)) {
      refused("a player", msg);
      continue;
    }
    const bool goalie = playerVals[2] == "g";
    int type = goalie ? 0 : toInt(playerVals[2]);
    if (type < 0 || type >= PT->numTypes()) {
      warn(LEVEL, "player type out of range in fullstate message: ", msg);
      type = 0;
    }
    Vector2D pos(n[3], n[4]);
    Vector2D vel(n[5], n[6]);
    WMF.setPlayer(lookUp(side, playerVals[0]), static_cast<Unum>(unum), type, pos, vel,
                  vekbase::AngleDeg(n[7]), vekbase::AngleDeg(n[8]), n[9], n[10], n[11],
                  goalie ? PlayerObject::t : PlayerObject::f);
  }
}

int VekPlayer::parseParam(std::vector<std::string>& vec, const std::string& keyword) {
  static std::string searchstr;
  searchstr.assign("(");
  searchstr.append(keyword);
  searchstr.push_back(' ');

  p2 = p1;
  const std::size_t pos = findAroundCursor(parseString, searchstr, p1);
  if (pos == npos) {
    warn(LEVEL, keyword + " keyword expected in sense_body or fullstate message");
    p1 = npos;
    return 0;
  }
  p1 = pos + searchstr.size();
  p2 = parseString.find(')', p1);
  // A "(" before the ")" opens the next block: this one is not closed, and
  // its words would be taken from that block.
  if (p2 == npos || parseString.find('(', p1) < p2) {
    warn(LEVEL, "')' expected in sense_body or fullstate message: ", parseString);
    return 0;
  }
  vec.clear();
  splitWords(parseString, p1, p2, vec);
  return static_cast<int>(vec.size());
}

void VekPlayer::parseArmValues(int& armMovable, int& armExpires, double& armDist,
                               vekbase::AngleDeg& armDir, int& armCount) {
  p2 = p1;
  const std::size_t arm = findAroundCursor(parseString, "(arm ", p1);
  if (arm == npos) {
    warn(LEVEL, "arm keyword expected in sense_body message: ", parseString);
    p1 = npos;
    return;
  }
  // Only the arm block's own keywords count: the tackle block after it has
  // an expires and a count of its own.
  const std::size_t armEnd = blockEnd(parseString, arm);
  const std::size_t movable = findWithin(parseString, "(movable ", arm, armEnd);
  if (movable == npos) {
    warn(LEVEL, "movable keyword expected in sense_body message: ", parseString);
    return;
  }
  armMovable = intAt(parseString, movable + 9);
  const std::size_t expires = findWithin(parseString, "(expires ", movable, armEnd);
  if (expires == npos) {
    warn(LEVEL, "expires keyword expected in sense_body message: ", parseString);
    return;
  }
  armExpires = intAt(parseString, expires + 9);
  const std::size_t target = findWithin(parseString, "(target ", expires, armEnd);
  if (target == npos) {
    warn(LEVEL, "target keyword expected in sense_body message: ", parseString);
    return;
  }
  {
    // Both numbers of the target stand before its ")".
    std::size_t close = parseString.find(')', target);
    if (close == npos || close > armEnd) close = armEnd;
    const char* last = parseString.data() + close;
    const char* after = nullptr;
    armDist = toDouble(parseString.data() + target + 8, last, &after);
    armDir = vekbase::AngleDeg(toDouble(after, last));
  }
  const std::size_t count = findWithin(parseString, "(count ", target, armEnd);
  if (count == npos) {
    warn(LEVEL, "count keyword expected in sense_body message: ", parseString);
    return;
  }
  armCount = intAt(parseString, count + 7);
  p1 = count + 7;
}

void VekPlayer::parseTackleValues(int& tackleExpires, int& tackleCount) {
  const unsigned short level = 40;
  p2 = p1;
  const std::size_t tackle = findAroundCursor(parseString, "(tackle ", p1);
  if (tackle == npos) {
    warn(level, "tackle param not found in sense_body msg");
    return;
  }
  // Values of the blocks around it are never taken for the tackle's.
  const std::size_t tackleEnd = blockEnd(parseString, tackle);
  const std::size_t expires = findWithin(parseString, "(expires ", tackle, tackleEnd);
  if (expires != npos) {
    tackleExpires = intAt(parseString, expires + 9);
    p1 = expires;
  } else {
    warn(level, "tackle expires param not found in sense_body msg");
  }
  const std::size_t count =
      findWithin(parseString, "(count ", expires != npos ? expires : tackle, tackleEnd);
  if (count != npos) {
    tackleCount = intAt(parseString, count + 7);
    p1 = count;
  } else {
    warn(level, "tackle count param not found in sense_body msg");
  }
}

void VekPlayer::parseSenseBody(const std::string& msg) {
  // Created once and reused by every sense_body.
  static std::vector<std::string> splitVec(2);

  int kick, dash, turn, catches, move, turnNeck, changeView, say, pointTo, attentionTo, tackle;
  actuator->getCounts(kick, dash, turn, catches, move, turnNeck, changeView, say, pointTo,
                      attentionTo, tackle);

  parseString = msg;
  p1 = 12;
  p2 = parseString.find(' ', p1);
  const int time = toInt(parseString.data() + p1,
                         parseString.data() + (p2 == npos ? parseString.size() : p2));
  // A cycle off the timeline opens none: the snapshot and the clock stay.
  if (!onTimeline(time, true, msg)) return;

  // A sight that came after the last decision still reaches the model
  // before the snapshot is emptied.
  if (lateMsg) uwms.includeSeen(WMS);
  WMS.clearData();

  step = time;
  vekbase::Timer::updateTime(step);

  if (parseParam(splitVec, "view_mode") >= 2) {
    WMS.setViewMode(lookUp(view_quality, splitVec[0]), lookUp(view_width, splitVec[1]));
  }
  double n[2];
  if (parseParam(splitVec, "stamina") >= 2) {
    if (!readNumbers(splitVec, 0, 2, HUGE_NUMBER, n)) {
      refused("the stamina", msg);
    } else {
      WMS.setEffort(n[1]);
      WMS.setStamina(n[0]);
    }
  }
  if (parseParam(splitVec, "speed") >= 2) {
    if (!readNumber(splitVec[0], LONGEST, n[0]) || !readNumber(splitVec[1], HUGE_NUMBER, n[1])) {
      refused("the speed", msg);
    } else {
      WMS.setMySpeed(n[0], vekbase::AngleDeg(n[1]));
    }
  }
  if (parseParam(splitVec, "head_angle") >= 1) {
    if (!readNumber(splitVec[0], HUGE_NUMBER, n[0]))
      refused("the head angle", msg);
    else
      WMS.setMyRelativeNeckAngle(vekbase::AngleDeg(n[0]));
  }

  struct Counter {
    const char* keyword;
    int* value;
  };
  const Counter counters[] = {{"kick", &kick},         {"dash", &dash},
                              {"turn", &turn},         {"say", &say},
                              {"turn_neck", &turnNeck}, {"catch", &catches},
                              {"move", &move},         {"change_view", &changeView}};
  for (const Counter& c : counters)
    if (parseParam(splitVec, c.keyword) >= 1) *c.value = toInt(splitVec[0]);

  int armMovable = 0;
  int armExpires = 0;
  double armDist = 0.0;
  vekbase::AngleDeg armDir;
  parseArmValues(armMovable, armExpires, armDist, armDir, pointTo);
  if (absurd(armDist, LONGEST) || absurd(double(armDir), HUGE_NUMBER)) {
    refused("the arm's target", msg);
  } else {
    WMS.setArm(armMovable, armExpires, armDist, armDir);
  }

  int tackleExpires = 0;
  parseTackleValues(tackleExpires, tackle);
  WMS.setTackle(tackleExpires);

  actuator->setCounts(kick, dash, turn, catches, move, turnNeck, changeView, say, pointTo,
                      attentionTo, tackle);
}

int VekPlayer::parseNextSeeParam(std::vector<std::string>& v, bool& lastParam) {
  v.clear();
  const std::size_t open = p1 <= parseString.size() ? parseString.find("((", p1) : npos;
  if (open == npos) {
    warn(LEVEL, "'((' expected in see message");
    return 0;
  }
  p1 = open + 2;
  p2 = parseString.find(')', p1);
  if (p2 == npos) {
    warn(LEVEL, "')' expected in see message: ", parseString);
    return 0;
  }
  v.emplace_back(parseString, p1, p2 - p1);
  // One separator after the name's ")".
  p1 = p2 + 2;
  p2 = p1 <= parseString.size() ? parseString.find(')', p1) : npos;
  if (p2 == npos) {
    warn(LEVEL, "')' expected in see message: ", parseString);
    return 0;
  }
  if (p2 + 1 < parseString.size() && parseString[p2 + 1] == ')') lastParam = true;
  splitWords(parseString, p1, p2, v);
  return static_cast<int>(v.size());
}

void VekPlayer::parseSee(const std::string& msg) {
  static std::vector<std::string> v;
  static std::vector<std::string> pVec;

  parseString = msg;
  p1 = 5;
  p2 = parseString.find(' ', p1);
  // A sight of a cycle off the timeline is dropped before it touches the
  // snapshot.
  const int time = p2 == npos ? 0 : toInt(parseString.data() + p1, parseString.data() + p2);
  if (p2 != npos && !onTimeline(time, false, msg)) return;
  WMS.getFlags().clear();
  WMS.getLines().clear();

  if (p2 == npos) return;
  step = time;

  bool lastParam = false;
  while (!lastParam) {
    // An entry whose values are not closed still has its name: its kind
    // reports it, and the parse ends after it.
    const bool whole = parseNextSeeParam(v, lastParam) > 0;
    if (v.empty()) return;
    const std::string& name = v[0];
    const int values = static_cast<int>(v.size()) - 1;
    if (name.empty()) {
      warn(LEVEL, "no matching 'see' method for this parameter type: ", parseString);
      return;
    }
    // Each value is read once, into n[1] on. The distance, where there is
    // one, comes first. No kind takes more than 8 values: words beyond are
    // only checked, and the count refuses the entry below.
    double n[9];
    const std::size_t words = v.size();
    const std::size_t kept = std::min<std::size_t>(words, 9);
    bool sane = values < 2 || readNumber(v[1], LONGEST, n[1]);
    for (std::size_t i = values < 2 ? 1 : 2; sane && i < kept; ++i)
      sane = readNumber(v[i], HUGE_NUMBER, n[i]);
    for (std::size_t i = kept; sane && i < words; ++i) {
      double beyond;
      sane = readNumber(v[i], HUGE_NUMBER, beyond);
    }
    if (!sane) {
      refused("a sighting", parseString);
      if (!whole) return;
      continue;
    }
    auto dir = [&n](int i) { return vekbase::AngleDeg(n[i]); };

    switch (name[0]) {
    case 'b':
      if (!landmarkValues(values)) {
        warn(LEVEL, "got wrong number of parameters for 'seeBall' method: ", parseString);
        return;
      }
      seeWithValues(n, values, [this](auto... a) { WMS.seeBall(a...); });
      break;

    case 'f':
    case 'g': {
      if (!landmarkValues(values)) {
        warn(LEVEL,
             name[0] == 'f' ? "got wrong number of parameters for 'seeFlag' method: "
                            : "got wrong number of parameters for 'seeGoal' method: ",
             parseString);
        return;
      }
      // A name the field does not have would be taken for another flag and
      // mislead the self-localisation.
      const auto it = flag_id.find(name);
      if (it == flag_id.end()) {
        warn(LEVEL, "unknown flag in see message: ", parseString);
        break;
      }
      seeWithValues(n, values, [&](auto... a) { WMS.seeFlag(it->second, a...); });
      break;
    }

    case 'l': {
      if (!landmarkValues(values)) {
        warn(LEVEL, "got wrong number of parameters for 'seeLine' method: ", parseString);
        return;
      }
      const auto it = line_id.find(name);
      if (it == line_id.end()) {
        warn(LEVEL, "unknown line in see message: ", parseString);
        break;
      }
      seeWithValues(n, values, [&](auto... a) { WMS.seeLine(it->second, a...); });
      break;
    }

    case 'p': {
      pVec.clear();
      splitWords(name, 0, name.size(), pVec);
      if (pVec.size() > 4) {
        warn(LEVEL, "got wrong number of parameters while seeing a player: ", parseString);
        return;
      }
      const bool gotTeamname = pVec.size() >= 2;
      const bool gotUnum = pVec.size() >= 3;
      const bool gotGoalie = pVec.size() >= 4;
      Side pSide = u;
      if (gotTeamname) {
        const std::string& word = pVec[1];
        const std::string team = word.size() >= 2 ? word.substr(1, word.size() - 2) : "";
        const bool mine = team == CP->myTeamName();
        const bool left = WMS.getMySide() == l;
        pSide = mine == left ? l : r;
      }
      int number = 0;
      if (gotUnum) {
        number = toInt(pVec[2]);
        // The sighting is kept all the same: the sensed state files a number
        // no shirt carries as an unidentified player.
        if (number < 1 || number > 11)
          warn(LEVEL, "shirt number out of range in see message: ", parseString);
      }
      const PlayerObject::TriValLogic isGoalie = gotGoalie ? PlayerObject::t : PlayerObject::f;
      const Unum unum = static_cast<Unum>(std::max(number, 0));

      bool stored = true;
      switch (values) {
      case 1:
        if (!gotTeamname)
          WMS.seePlayer(dir(1));
        else if (!gotUnum)
          WMS.seePlayer(pSide, dir(1));
        else
          WMS.seePlayer(pSide, unum, dir(1));
        break;
      case 2:
        if (!gotTeamname)
          WMS.seePlayer(n[1], dir(2));
        else
          WMS.seePlayer(pSide, n[1], dir(2), false);
        break;
      case 3:
        if (!gotTeamname)
          stored = false;
        else if (v[3] == "t")
          WMS.seePlayer(pSide, n[1], dir(2), true);
        else
          WMS.seePlayer(pSide, n[1], dir(2), dir(3), false);
        break;
      case 4:
        if (!gotTeamname)
          stored = false;
        else
          WMS.seePlayer(pSide, n[1], dir(2), dir(3), true);
        break;
      case 6:
      case 7:
      case 8:
        if (!gotUnum) {
          stored = false;
        } else if (values == 6 || (values == 7 && v[7] == "t")) {
          WMS.seePlayer(pSide, unum, n[1], dir(2), n[3], dir(4),
                        dir(5), dir(6), isGoalie, values == 7);
        } else {
          WMS.seePlayer(pSide, unum, n[1], dir(2), n[3], dir(4),
                        dir(5), dir(6), dir(7), isGoalie, values == 8);
        }
        break;
      default:
        stored = false;
        break;
      }
      if (!stored) {
        // Too many or too few values, or values that need the team or the
        // shirt number the name does not give.
        warn(LEVEL, "got wrong number of parameters for 'seePlayer' method: ", parseString);
        return;
      }
      break;
    }

    // Near the agent but outside its view cone; in low view quality the
    // server gives the direction alone.
    case 'B':
      if (values < 1) {
        warn(LEVEL, "got wrong number of parameters for 'seeBall' method: ", parseString);
        return;
      }
      if (values == 1)
        WMS.seeBall(dir(1));
      else
        WMS.seeBall(n[1], dir(2));
      break;

    case 'P':
      if (values < 1) {
        warn(LEVEL, "got wrong number of parameters for 'seePlayer' method: ", parseString);
        return;
      }
      if (values == 1)
        WMS.seePlayer(dir(1));
      else
        WMS.seePlayer(n[1], dir(2));
      break;

    case 'F':
    case 'G':
      break;

    default:
      warn(LEVEL, "no matching 'see' method for this parameter type: ", parseString);
      return;
    }
    if (!whole) return;
  }
  WMS.setCurrentSight();
}
