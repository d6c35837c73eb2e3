#ifndef TOLVANE_VEKOPTIONS_H
#define TOLVANE_VEKOPTIONS_H

#include <getopt.h>

#include "tolvane/clientparam.h"
#include "tolvane/formations/formationparam.h"
#include "tolvane/playerparam.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"

// The command-line front end: gathers the parameter stores, points the base
// library's parameter registry at them and reads the program's arguments
// (parameter files, single parameters as long options, usage text and
// listings of the current values).
class VekOptions {
public:
  VekOptions();
  VekOptions(int argc, char* argv[]);
  virtual ~VekOptions();

  // Applies files and options in command-line order; may run more than once.
  void getOptions(int argc, char* argv[]);
  // Copies a long-option row; the destination gets its own copy of the name.
  void copyOptions(struct option& dest, const struct option& src) const;
  void printOptions() const;
  void printHelp() const;

  // Set when the usage text or a listing was asked for, or an option was not
  // accepted; what follows from it is the owner's business.
  bool dontStart;
  // Set when an option or its value was not accepted (unknown, ambiguous,
  // lacking its argument, refused), a word was no option, a file it
  // names could not be read or held a refused value, or the client options
  // as finally set contradict each other: the command line is wrong, not
  // merely informational.
  bool badOption;

protected:
  PlayerParam* PP;
  ServerParam* SP;
  ClientParam* CP;
  PlayertypeParam* PT;
  Formations::FormationParam* FP;

  bool printClientOptions;
  bool printPlayerOptions;
  bool printServerOptions;
  bool printFormations;

private:
  void init();
};

#endif
