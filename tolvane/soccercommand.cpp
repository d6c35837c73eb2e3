#include "tolvane/soccercommand.h"

#include <ios>
#include <locale>
#include <sstream>

#include "vomarlog/forwarder.h"

namespace {

const char* sideWord(Side sd) {
  return sd == l ? "l" : "r";
}

} // namespace

// Every constructor renders once, through the set of its arguments, on the
// fields' start values.
SoccerCommand::SoccerCommand(CommandT c) {
  set(c);
}

SoccerCommand::SoccerCommand(CommandT c, double v0) {
  set(c, v0);
}

SoccerCommand::SoccerCommand(CommandT c, vekbase::AngleDeg a) {
  set(c, a);
}

SoccerCommand::SoccerCommand(CommandT c, unsigned int unum, Side sd) {
  set(c, unum, sd);
}

SoccerCommand::SoccerCommand(CommandT c, double v0, double v1) {
  set(c, v0, v1);
}

SoccerCommand::SoccerCommand(CommandT c, double v0, vekbase::AngleDeg a) {
  set(c, v0, a);
}

SoccerCommand::SoccerCommand(CommandT c, const vekbase::ViewWidth& w,
                             const vekbase::ViewQuality& q) {
  set(c, w, q);
}

SoccerCommand::SoccerCommand(CommandT c, const std::string& str) {
  set(c, str);
}

void SoccerCommand::set(CommandT c) {
  com = c;
  makeStr();
}

void SoccerCommand::set(CommandT c, double v0) {
  com = c;
  val0 = v0;
  makeStr();
}

void SoccerCommand::set(CommandT c, vekbase::AngleDeg a) {
  com = c;
  angle = a;
  makeStr();
}

void SoccerCommand::set(CommandT c, unsigned int unum, Side sd) {
  com = c;
  num = unum;
  side = sd;
  makeStr();
}

void SoccerCommand::set(CommandT c, double v0, double v1) {
  com = c;
  val0 = v0;
  val1 = v1;
  makeStr();
}

void SoccerCommand::set(CommandT c, double v0, vekbase::AngleDeg a) {
  com = c;
  val0 = v0;
  angle = a;
  makeStr();
}

void SoccerCommand::set(CommandT c, const vekbase::ViewWidth& w, const vekbase::ViewQuality& q) {
  com = c;
  vw = w;
  vq = q;
  makeStr();
}

void SoccerCommand::set(CommandT c, const std::string& str) {
  com = c;
  s = str;
  makeStr();
}

bool SoccerCommand::valid() const {
  return !err && time == vekbase::Timer::currentTime();
}

bool SoccerCommand::isOff() const {
  if (com == CMD_ATTENTIONTO) return s == "off" || side == u;
  return com == CMD_POINTTO && s == "off";
}

void SoccerCommand::makeStr() {
  time = vekbase::Timer::currentTime();

  // The empty command, which the queue puts into every slot each cycle (and
  // a value outside the kinds), renders nothing: no stream is made for it.
  if (com < CMD_ATTENTIONTO || com > CMD_DONE) {
    cmdType = SLOT_NONE;
    err = true;
    rep.clear();
    return;
  }

  // The server reads '.' as the decimal point, whatever the user's locale.
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os.setf(std::ios::fixed, std::ios::floatfield);
  os.precision(2);

  const double deg = double(angle);
  err = false;
  switch (com) {
  case CMD_ATTENTIONTO:
    cmdType = SLOT_ATTENTIONTO;
    if (isOff())
      os << "(attentionto off)";
    else
      os << "(attentionto " << sideWord(side) << " " << num << ")";
    break;
  case CMD_CATCH:
    cmdType = SLOT_BODY;
    os << "(catch " << deg << ")";
    break;
  case CMD_CHANGEVIEW:
    cmdType = SLOT_CHANGEVIEW;
    os << "(change_view " << vw.str() << " " << vq.str() << ")";
    break;
  case CMD_DASH:
    cmdType = SLOT_BODY;
    os << "(dash " << val0 << ")";
    break;
  case CMD_KICK:
    cmdType = SLOT_BODY;
    os << "(kick " << val0 << " " << deg << ")";
    break;
  case CMD_MOVE:
    cmdType = SLOT_BODY;
    os << "(move " << val0 << " " << val1 << ")";
    break;
  case CMD_POINTTO:
    cmdType = SLOT_POINTTO;
    if (isOff())
      os << "(pointto off)";
    else
      os << "(pointto " << val0 << " " << deg << ")";
    break;
  case CMD_SAY:
    cmdType = SLOT_SAY;
    os << "(say " << s << ")";
    break;
  case CMD_SCORE:
    cmdType = SLOT_SCORE_SENSEBODY;
    os << "(score)";
    break;
  case CMD_SENSEBODY:
    cmdType = SLOT_SCORE_SENSEBODY;
    os << "(sense_body)";
    break;
  case CMD_TACKLE:
    cmdType = SLOT_BODY;
    os << "(tackle " << val0 << ")";
    break;
  case CMD_TURN:
    cmdType = SLOT_BODY;
    os << "(turn " << deg << ")";
    break;
  case CMD_TURNNECK:
    cmdType = SLOT_TURNNECK;
    os << "(turn_neck " << deg << ")";
    break;
  case CMD_BYE:
    cmdType = SLOT_BODY;
    os << "(bye)";
    break;
  case CMD_DONE:
    cmdType = SLOT_DONE;
    os << "(done)";
    break;
  case CMD_NONE:
  default:
    break; // rendered above
  }
  rep = os.str();

  if (vomar::Forwarder* log = vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, 1040, 100))
    *log << "creating SoccerCommand " << rep << "\n";
}

std::ostream& operator<<(std::ostream& os, const SoccerCommand& cmd) {
  return os << cmd.str();
}
