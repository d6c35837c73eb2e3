#include "tolvane/option.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <locale>
#include <sstream>

#include "vomarlog/forwarder.h"

namespace {

const unsigned int DBLVEC_ZONE = 1000;
const unsigned int INTVEC_ZONE = 1001;

// Starts a warning line of the vector options in the given zone.
vomar::Forwarder& warning(unsigned int zone) {
  return vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, zone);
}

template <class T> std::string numberText(const T& v) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << v;
  return os.str();
}

// What the two vector kinds share; kind is "IntVecOption" or "DblVecOption".
template <class T> struct VecRules {
  const char* kind;
  unsigned int zone;

  void checkLengths(const std::string& key, unsigned int minLen, unsigned int& maxLen) const {
    if (maxLen != 0 && minLen > maxLen) {
      warning(zone) << kind << " (" << key << "): min length (" << minLen
                    << ") > max length (" << maxLen << "), enlarging max length" << "\n";
      maxLen = minLen;
    }
  }

  void initFill(const std::string& key, std::vector<T>* v, unsigned int minLen,
                unsigned int& maxLen, const T& def) const {
    v->assign(minLen, def);
    if (maxLen != 0) {
      checkLengths(key, minLen, maxLen);
      v->reserve(maxLen);
    }
  }

  void initCopy(const std::string& key, std::vector<T>* v, const std::vector<T>& defs,
                unsigned int minLen, unsigned int& maxLen) const {
    *v = defs;
    if (v->size() < minLen) {
      warning(zone) << kind << " (" << key << ") initialized with " << defs.size()
                    << " default values, minimum is " << minLen << "\n";
      v->resize(minLen, T(0));
    }
    if (maxLen != 0) {
      checkLengths(key, minLen, maxLen);
      if (v->size() > maxLen) {
        warning(zone) << kind << " (" << key << ") initialized with " << defs.size()
                      << " default values, " << "maximum is " << maxLen << "\n";
        v->resize(maxLen);
      }
      v->reserve(maxLen);
    }
  }

  bool read(const std::string& key, const std::string& text, std::vector<T>* v,
            unsigned int minLen, unsigned int maxLen) const {
    v->clear();
    std::istringstream is(text);
    is.imbue(std::locale::classic());
    bool atEnd = false;
    for (;;) {
      is >> std::ws;
      if (is.eof()) {
        atEnd = true;
        break;
      }
      T x;
      // An overflowing number fails the extraction and is not taken.
      if (!(is >> x)) break;
      v->push_back(x);
    }
    if (v->size() < minLen) {
      warning(zone) << "Please give at least " << minLen << " values for parameter (" << key
                    << ")" << "\n";
      v->resize(minLen, T(0));
      return false;
    }
    // A maximal length of 0 sets no upper bound, as in the constructors.
    if (maxLen != 0 && v->size() > maxLen) {
      warning(zone) << "Please give at most " << maxLen << " values for parameter (" << key
                    << ")" << "\n";
      v->resize(maxLen);
      return false;
    }
    return atEnd;
  }

  std::string text(const std::vector<T>& v) const {
    std::ostringstream os;
    os.imbue(std::locale::classic());
    for (const T& x : v) os << x << " ";
    return os.str();
  }
};

const VecRules<int> intVec = {"IntVecOption", INTVEC_ZONE};
const VecRules<double> dblVec = {"DblVecOption", DBLVEC_ZONE};

} // namespace

std::ostream& operator<<(std::ostream& os, const Option& o) {
  return os << o.getName() << ": " << o.valueString();
}

// ---- BoolOption

BoolOption::BoolOption(const std::string& name, bool* value, bool def)
    : Option(name), valueP(value) {
  *valueP = def;
}

bool BoolOption::setValue(const std::string& text) const {
  if (text.empty())
    *valueP = true;
  else if (text == "off")
    *valueP = false;
  else
    *valueP = std::strtol(text.c_str(), nullptr, 10) != 0;
  return true;
}

std::string BoolOption::valueString() const { return *valueP ? "set" : "unset"; }

// ---- OnOffOption

OnOffOption::OnOffOption(const std::string& name, bool* value, bool def)
    : Option(name), valueP(value) {
  *valueP = def;
}

bool OnOffOption::setValue(const std::string& text) const {
  const long n = std::strtol(text.c_str(), nullptr, 10);
  const bool on = text == "on" || n == 1;
  *valueP = on;
  return on || text == "off" || n == 0;
}

std::string OnOffOption::valueString() const { return *valueP ? "on" : "off"; }

// ---- IntOption

IntOption::IntOption(const std::string& name, int* value, int def, int lowest, int highest)
    : Option(name), valueP(value), lowest(lowest), highest(highest) {
  *valueP = def;
}

bool IntOption::setValue(const std::string& text) const {
  const char* start = text.c_str();
  char* end = nullptr;
  const long n = std::strtol(start, &end, 10);
  if (end == start) return false;
  // The ends of the int range stand for overflow, as on a 32-bit machine;
  // anything beyond them fails rather than being truncated.
  if (n >= long(INT_MAX) || n <= long(INT_MIN)) return false;
  if (n < lowest || n > highest) return false;
  *valueP = static_cast<int>(n);
  return true;
}

std::string IntOption::valueString() const { return numberText(*valueP); }

// ---- DblOption

DblOption::DblOption(const std::string& name, double* value, double def, double lowest,
                     double highest)
    : Option(name), valueP(value), lowest(lowest), highest(highest) {
  *valueP = def;
}

bool DblOption::setValue(const std::string& text) const {
  const char* start = text.c_str();
  char* end = nullptr;
  const double d = std::strtod(start, &end);
  // A value that is no finite number would end up in the physics or on
  // the wire.
  if (end == start || !std::isfinite(d) || d < lowest || d > highest) return false;
  *valueP = d;
  return true;
}

std::string DblOption::valueString() const { return numberText(*valueP); }

// ---- StrOption

StrOption::StrOption(const std::string& name, std::string* value, std::string def)
    : Option(name), valueP(value) {
  *valueP = def;
}

bool StrOption::setValue(const std::string& text) const {
  *valueP = text;
  return true;
}

std::string StrOption::valueString() const { return *valueP; }

// ---- IntVecOption

IntVecOption::IntVecOption(const std::string& name, std::vector<int>* value,
                           unsigned int minLen, unsigned int maxLen, int def)
    : Option(name), valueP(value), minimalLength(minLen), maximalLength(maxLen) {
  intVec.initFill(myName, valueP, minimalLength, maximalLength, def);
}

IntVecOption::IntVecOption(const std::string& name, std::vector<int>* value,
                           const std::vector<int>& defs, unsigned int minLen,
                           unsigned int maxLen)
    : Option(name), valueP(value), minimalLength(minLen), maximalLength(maxLen) {
  intVec.initCopy(myName, valueP, defs, minimalLength, maximalLength);
}

bool IntVecOption::setValue(const std::string& text) const {
  return intVec.read(myName, text, valueP, minimalLength, maximalLength);
}

std::string IntVecOption::valueString() const { return intVec.text(*valueP); }

// ---- DblVecOption

DblVecOption::DblVecOption(const std::string& name, std::vector<double>* value,
                           unsigned int minLen, unsigned int maxLen, double def)
    : Option(name), valueP(value), minimalLength(minLen), maximalLength(maxLen) {
  dblVec.initFill(myName, valueP, minimalLength, maximalLength, def);
}

DblVecOption::DblVecOption(const std::string& name, std::vector<double>* value,
                           const std::vector<double>& defs, unsigned int minLen,
                           unsigned int maxLen)
    : Option(name), valueP(value), minimalLength(minLen), maximalLength(maxLen) {
  dblVec.initCopy(myName, valueP, defs, minimalLength, maximalLength);
}

bool DblVecOption::setValue(const std::string& text) const {
  return dblVec.read(myName, text, valueP, minimalLength, maximalLength);
}

std::string DblVecOption::valueString() const { return dblVec.text(*valueP); }

// ---- Predicates

namespace Predicates {

void OptionPrint::operator()(const Option* o) const { std::cout << *o << std::endl; }

} // namespace Predicates
