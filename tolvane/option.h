#ifndef TOLVANE_OPTION_H
#define TOLVANE_OPTION_H

#include <cfloat>
#include <climits>
#include <ostream>
#include <string>
#include <vector>

// The number grammar of every option, whatever the source (command line,
// parameter file, the server's parameter messages): the whole text is one
// decimal number, a sign and digits, and for a double also a fraction and an
// exponent. White space, trailing text, hexadecimal, digit grouping ("1,234")
// and numbers beyond the type's range are refused; a double must be finite.
bool readDecimal(const std::string& text, long& n);
bool readDecimal(const std::string& text, double& d);

// One text key bound to one variable owned by somebody else (as a rule a
// member of a parameter store). Building an option writes the default into
// the variable; deleting it leaves the variable alone.
class Option {
public:
  explicit Option(const std::string& name) : myName(name) {}
  virtual ~Option() {}

  Option(const Option&) = delete;
  Option& operator=(const Option&) = delete;

  // Parses the text into the bound variable; true when it was accepted.
  virtual bool setValue(const std::string& text) const = 0;
  // Argument mode for the long-option table: 0 none, 1 required.
  virtual int hasArg() const = 0;
  virtual std::string valueString() const = 0;

  const std::string& getName() const { return myName; }
  // Exact, case-sensitive comparison with the key.
  bool isName(const std::string& s) const { return s == myName; }

protected:
  std::string myName;
};

// Writes "key: value" without a line end.
std::ostream& operator<<(std::ostream& os, const Option& o);

// The words of a switch: "on", "true" and "1" for on, "off", "false" and "0"
// for off; false for any other word.
bool readOnOff(const std::string& text, bool& on);

// A flag: "set"/"unset"; takes no argument on the command line. In a file a
// key alone sets it; otherwise it takes the words of a switch.
class BoolOption : public Option {
public:
  BoolOption(const std::string& name, bool* value, bool def);
  bool setValue(const std::string& text) const override;
  int hasArg() const override { return 0; }
  std::string valueString() const override;

protected:
  bool* valueP;
};

// A switch written "on"/"off"; takes the words of readOnOff.
class OnOffOption : public Option {
public:
  OnOffOption(const std::string& name, bool* value, bool def);
  bool setValue(const std::string& text) const override;
  int hasArg() const override { return 1; }
  std::string valueString() const override;

protected:
  bool* valueP;
};

// An int; a value outside lowest to highest (both taken) is refused, and so
// are the ends of the 32-bit range, which stand for overflow.
class IntOption : public Option {
public:
  IntOption(const std::string& name, int* value, int def, int lowest = INT_MIN,
            int highest = INT_MAX);
  bool setValue(const std::string& text) const override;
  int hasArg() const override { return 1; }
  std::string valueString() const override;

protected:
  int* valueP;
  int lowest;
  int highest;
};

// A port number, 1 to 65535.
class PortOption : public IntOption {
public:
  PortOption(const std::string& name, int* value, int def) : IntOption(name, value, def, 1, 65535) {}
};

// A double; a value outside lowest to highest (both taken) is refused.
class DblOption : public Option {
public:
  DblOption(const std::string& name, double* value, double def, double lowest = -DBL_MAX,
            double highest = DBL_MAX);
  bool setValue(const std::string& text) const override;
  int hasArg() const override { return 1; }
  std::string valueString() const override;

protected:
  double* valueP;
  double lowest;
  double highest;
};

class StrOption : public Option {
public:
  StrOption(const std::string& name, std::string* value, std::string def);
  bool setValue(const std::string& text) const override;
  int hasArg() const override { return 1; }
  std::string valueString() const override;

protected:
  std::string* valueP;
};

// A list of ints of bounded length; a maximalLength of 0 means no upper bound.
// Each element is read as an IntOption reads its text; an element it refuses,
// or one outside lowest to highest, ends the list there.
class IntVecOption : public Option {
public:
  IntVecOption(const std::string& name, std::vector<int>* value, unsigned int minLen,
               unsigned int maxLen, int def, int lowest = INT_MIN, int highest = INT_MAX);
  IntVecOption(const std::string& name, std::vector<int>* value, const std::vector<int>& defs,
               unsigned int minLen, unsigned int maxLen);
  bool setValue(const std::string& text) const override;
  int hasArg() const override { return 1; }
  std::string valueString() const override;

protected:
  std::vector<int>* valueP;
  unsigned int minimalLength;
  unsigned int maximalLength;
  int lowest;
  int highest;
};

// A list of doubles of bounded length, read as IntVecOption reads its list.
class DblVecOption : public Option {
public:
  DblVecOption(const std::string& name, std::vector<double>* value, unsigned int minLen,
               unsigned int maxLen, double def, double lowest = -DBL_MAX,
               double highest = DBL_MAX);
  DblVecOption(const std::string& name, std::vector<double>* value,
               const std::vector<double>& defs, unsigned int minLen, unsigned int maxLen);
  bool setValue(const std::string& text) const override;
  int hasArg() const override { return 1; }
  std::string valueString() const override;

protected:
  std::vector<double>* valueP;
  unsigned int minimalLength;
  unsigned int maximalLength;
  double lowest;
  double highest;
};

namespace Predicates {

// Writes one option to standard output, followed by a line end.
struct OptionPrint {
  void operator()(const Option* o) const;
};

struct OptionDelete {
  void operator()(Option* o) const { delete o; }
};

} // namespace Predicates

#endif
