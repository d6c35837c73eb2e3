#include "interface-swi/commandlist.h"

#include <cstring>
#include <iostream>
#include <string>

#include "interface-swi/client.h"
#include "interface-swi/converters.h"
#include "interface-swi/nametables.h"
#include "interface-swi/predicatesupport.h"
#include "tolvane/actuator.h"
#include "vomarlog/forwarder.h"

namespace {

// Builds a list from its last element to its first.
class ListBuilder {
public:
  ListBuilder() : list(PL_new_term_ref()), elem(PL_new_term_ref()) { PL_put_nil(list); }

  bool pushFloat(double v) { return PL_put_float(elem, v) && PL_cons_list(list, elem, list); }
  bool pushInteger(long v) { return PL_put_integer(elem, v) && PL_cons_list(list, elem, list); }
  bool pushAtom(const std::string& s) {
    return PL_put_atom_chars(elem, s.c_str()) && PL_cons_list(list, elem, list);
  }

  term_t list;

private:
  term_t elem;
};

// Walks the elements after the head word.
class ListReader {
public:
  explicit ListReader(term_t rest0) : rest(rest0), elem(PL_new_term_ref()) {}

  bool next() { return PL_get_list(rest, elem, rest); }

  // A missing element fails quietly; one that is not a number fails with the
  // float warning for its position.
  bool readFloat(double& v, const char* origin, int position) {
    return next() && read_float(elem, v, origin, position);
  }

  term_t rest;
  term_t elem;
};

bool readAttentionTo(ListReader& rd, SoccerCommand& command) {
  static const char* const origin = "PL_get_soccercommand/2 : attentionto";
  char* team = nullptr;
  if (!rd.next() || !PL_get_atom_chars(rd.elem, &team)) return false;
  if (std::strcmp(team, "off") == 0) {
    command.set(SoccerCommand::CMD_ATTENTIONTO, std::string("off"));
    return true;
  }
  // The atom text lives as long as the atom; keep what is needed before the
  // reader moves on.
  const std::string teamWord(team);
  // A number the server cannot know would only make it reject the message.
  int unum = 0;
  if (!rd.next() || !read_unum(rd.elem, unum, origin, 3)) return false;
  const Side mine = agent_side();
  if (mine != l && mine != r) return warn_side(origin, 2);
  const char myLetter = mine == l ? 'l' : 'r';
  Side target = mine == l ? r : l;
  if (teamWord == "our" || teamWord[0] == myLetter) target = mine;
  command.set(SoccerCommand::CMD_ATTENTIONTO, static_cast<unsigned int>(unum), target);
  return true;
}

bool readChangeView(ListReader& rd, SoccerCommand& command) {
  vekbase::ViewWidth width(vekbase::ViewWidth::S_normal);
  vekbase::ViewQuality quality(vekbase::ViewQuality::S_high);
  if (!rd.next() || !PL_get_viewwidth(rd.elem, width)) return false;
  if (!rd.next() || !PL_get_viewquality(rd.elem, quality)) return false;
  command.set(SoccerCommand::CMD_CHANGEVIEW, width, quality);
  return true;
}

bool readPointTo(ListReader& rd, SoccerCommand& command) {
  static const char* const origin = "PL_get_soccercommand/2 : pointto";
  double dist = 0.0;
  if (rd.next() && PL_is_float(rd.elem) && PL_get_float(rd.elem, &dist)) {
    double dir = 0.0;
    if (!rd.readFloat(dir, origin, 3)) return false;
    command.set(SoccerCommand::CMD_POINTTO, dist, vekbase::AngleDeg(dir));
  } else {
    command.set(SoccerCommand::CMD_POINTTO, std::string("off"));
  }
  return true;
}

bool readSay(ListReader& rd, SoccerCommand& command) {
  char* text = nullptr;
  if (!rd.next() || !PL_get_atom_chars(rd.elem, &text)) return false;
  command.set(SoccerCommand::CMD_SAY, std::string(text));
  return true;
}

// One float value after the word, set with the given kind as a Value
// (a power) or as a vekbase::AngleDeg (a direction).
template <class V>
bool readOne(ListReader& rd, SoccerCommand& command, SoccerCommand::CommandT kind,
             const char* origin) {
  double v = 0.0;
  if (!rd.readFloat(v, origin, 2)) return false;
  command.set(kind, V(v));
  return true;
}

} // namespace

bool PL_get_sclist(const SoccerCommand& command, term_t list) {
  ListBuilder b;
  const SoccerCommand::CommandT kind = command.command();
  bool ok = true;
  switch (kind) {
  case SoccerCommand::CMD_ATTENTIONTO:
    if (command.isOff()) {
      ok = b.pushAtom("off");
    } else {
      ok = b.pushInteger(long(command.unum())) &&
           b.pushAtom(command.getSide() == l ? "l" : "r");
    }
    break;
  case SoccerCommand::CMD_CATCH: ok = b.pushFloat(double(command.getAngle())); break;
  case SoccerCommand::CMD_CHANGEVIEW:
    ok = b.pushAtom(command.viewQuality().isHigh() ? "high" : "low") &&
         b.pushAtom(command.viewWidth().str());
    break;
  case SoccerCommand::CMD_DASH: ok = b.pushFloat(command.dashPower()); break;
  case SoccerCommand::CMD_KICK:
    ok = b.pushFloat(double(command.getAngle())) && b.pushFloat(command.kickPower());
    break;
  case SoccerCommand::CMD_MOVE:
    ok = b.pushFloat(command.getValue1()) && b.pushFloat(command.getValue0());
    break;
  case SoccerCommand::CMD_POINTTO:
    if (command.isOff())
      ok = b.pushAtom("off");
    else
      ok = b.pushFloat(double(command.getAngle())) && b.pushFloat(command.getValue0());
    break;
  case SoccerCommand::CMD_SAY: ok = b.pushAtom(command.getSayString()); break;
  case SoccerCommand::CMD_TACKLE: ok = b.pushFloat(command.getValue0()); break;
  case SoccerCommand::CMD_TURN: ok = b.pushFloat(double(command.turnAngle())); break;
  case SoccerCommand::CMD_TURNNECK: ok = b.pushFloat(double(command.turnNeckAngle())); break;
  default: break;
  }
  const auto word = SoccerCommandMap.find(kind);
  if (ok && word != SoccerCommandMap.end()) ok = b.pushAtom(word->second);
  return ok && PL_unify(list, b.list);
}

bool PL_get_soccercommand(term_t list, SoccerCommand& command) {
  term_t head = PL_new_term_ref();
  term_t rest = PL_new_term_ref();
  char* text = nullptr;
  // The kind is read off the head word, so a head that is no atom is as
  // unusable as no list at all.
  if (!PL_get_list(list, head, rest) || !PL_get_atom_chars(head, &text)) {
    std::cerr << "PL_get_soccercommand/2 : can't get list ... exiting !" << std::endl;
    return false;
  }
  const std::string word(text);
  const char second = word.size() > 1 ? word[1] : '\0';
  ListReader rd(rest);

  switch (word.empty() ? '\0' : word[0]) {
  case 'a': return readAttentionTo(rd, command);
  case 'b': command.set(SoccerCommand::CMD_BYE); return true;
  case 'c':
    if (second == 'a')
      return readOne<vekbase::AngleDeg>(rd, command, SoccerCommand::CMD_CATCH,
                                        "PL_get_soccercommand/2 : catch");
    return readChangeView(rd, command);
  case 'd':
    return readOne<Value>(rd, command, SoccerCommand::CMD_DASH, "PL_get_soccercommand/2 : dash");
  case 'k': {
    double power = 0.0;
    double dir = 0.0;
    static const char* const origin = "PL_get_soccercommand/2 : kick";
    if (!rd.readFloat(power, origin, 2) || !rd.readFloat(dir, origin, 3)) return false;
    command.set(SoccerCommand::CMD_KICK, power, vekbase::AngleDeg(dir));
    return true;
  }
  case 'm': {
    double x = 0.0;
    double y = 0.0;
    if (!rd.readFloat(x, "PL_get_soccercommand/2 : move :", 2) ||
        !rd.readFloat(y, "PL_get_soccercommand/2 : move", 3))
      return false;
    command.set(SoccerCommand::CMD_MOVE, x, y);
    return true;
  }
  case 'n': {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, ZONE_PROLOG)
        << "PL_get_soccercommand/2 : queueing of CMD_NONE was requested !" << "\n";
    return true;
  }
  case 'p': return readPointTo(rd, command);
  case 's':
    if (second == 'a') return readSay(rd, command);
    command.set(second == 'c' ? SoccerCommand::CMD_SCORE : SoccerCommand::CMD_SENSEBODY);
    return true;
  case 't':
    if (second == 'a')
      return readOne<Value>(rd, command, SoccerCommand::CMD_TACKLE,
                            "PL_get_soccercommand/2 : tackle");
    if (word.size() <= 4)
      return readOne<vekbase::AngleDeg>(rd, command, SoccerCommand::CMD_TURN,
                                        "PL_get_soccercommand/2 : turn");
    return readOne<vekbase::AngleDeg>(rd, command, SoccerCommand::CMD_TURNNECK,
                                      "PL_get_soccercommand/2 : turnneck");
  default:
    std::cerr << "queueing of unknown command " << word << " was requested !!!" << std::endl;
    return true;
  }
}

foreign_t pl_queue_up(term_t list) {
  Actuator* actuator = Actuator::instance();
  SoccerCommand command(SoccerCommand::CMD_NONE);
  if (!PL_get_soccercommand(list, command)) {
    std::cerr << "PL_queue_up/1 : can't get SoccerCommand ... exiting !" << std::endl;
    return FALSE;
  }
  actuator->queueUp(command);
  return TRUE;
}
