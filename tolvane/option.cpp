#include "tolvane/option.h"

#include <cctype>
#include <charconv>
#include <climits>
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

// The position after an optional sign at the start of text.
std::size_t afterSign(const std::string& text) {
  return !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
}

// from_chars reads neither a plus sign nor the user's locale: the texts
// read the same whatever the locale, as the server writes them.
template <class T> bool convert(const std::string& text, T& out) {
  const char* first = text.data() + (text[0] == '+' ? 1 : 0);
  const char* last = text.data() + text.size();
  T v;
  const std::from_chars_result r = std::from_chars(first, last, v);
  if (r.ec != std::errc() || r.ptr != last) return false;
  out = v;
  return true;
}

template <class T> std::string numberText(const T& v) {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  os << v;
  return os.str();
}

// The single options and the elements of a list read one grammar. The ends
// of the 32-bit range stand for overflow and are refused with it.
bool readElement(const std::string& word, int& x) {
  long n;
  if (!readDecimal(word, n) || n >= long(INT_MAX) || n <= long(INT_MIN)) return false;
  x = int(n);
  return true;
}
bool readElement(const std::string& word, double& x) { return readDecimal(word, x); }

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
            unsigned int minLen, unsigned int maxLen, T lowest, T highest) const {
    v->clear();
    std::istringstream is(text);
    bool atEnd = true;
    for (std::string word; is >> word;) {
      T x;
      if (!readElement(word, x) || x < lowest || x > highest) {
        atEnd = false;
        break;
      }
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

// from_chars reads the rest of the grammar and refuses numbers beyond the
// type's range; it would also take "inf", "nan" and a second sign, which
// have no digit (or point) after the first sign.
bool readDecimal(const std::string& text, long& n) {
  const std::size_t i = afterSign(text);
  return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) &&
         convert(text, n);
}

bool readDecimal(const std::string& text, double& d) {
  const std::size_t i = afterSign(text);
  return i < text.size() &&
         (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.') && convert(text, d);
}

bool readOnOff(const std::string& text, bool& on) {
  if (text == "on" || text == "true" || text == "1") {
    on = true;
    return true;
  }
  if (text == "off" || text == "false" || text == "0") {
    on = false;
    return true;
  }
  return false;
}

std::ostream& operator<<(std::ostream& os, const Option& o) {
  return os << o.getName() << ": " << o.valueString();
}

// ---- BoolOption

BoolOption::BoolOption(const std::string& name, bool* value, bool def)
    : Option(name), valueP(value) {
  *valueP = def;
}

bool BoolOption::setValue(const std::string& text) const {
  if (!text.empty()) return readOnOff(text, *valueP);
  *valueP = true;
  return true;
}

std::string BoolOption::valueString() const { return *valueP ? "set" : "unset"; }

// ---- OnOffOption

OnOffOption::OnOffOption(const std::string& name, bool* value, bool def)
    : Option(name), valueP(value) {
  *valueP = def;
}

bool OnOffOption::setValue(const std::string& text) const { return readOnOff(text, *valueP); }

std::string OnOffOption::valueString() const { return *valueP ? "on" : "off"; }

// ---- IntOption

IntOption::IntOption(const std::string& name, int* value, int def, int lowest, int highest)
    : Option(name), valueP(value), lowest(lowest), highest(highest) {
  *valueP = def;
}

bool IntOption::setValue(const std::string& text) const {
  int n;
  if (!readElement(text, n) || n < lowest || n > highest) return false;
  *valueP = n;
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
  double d;
  if (!readDecimal(text, d) || d < lowest || d > highest) return false;
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
                           unsigned int minLen, unsigned int maxLen, int def, int lowest,
                           int highest)
    : Option(name), valueP(value), minimalLength(minLen), maximalLength(maxLen), lowest(lowest),
      highest(highest) {
  intVec.initFill(myName, valueP, minimalLength, maximalLength, def);
}

IntVecOption::IntVecOption(const std::string& name, std::vector<int>* value,
                           const std::vector<int>& defs, unsigned int minLen,
                           unsigned int maxLen)
    : Option(name), valueP(value), minimalLength(minLen), maximalLength(maxLen),
      lowest(INT_MIN), highest(INT_MAX) {
  intVec.initCopy(myName, valueP, defs, minimalLength, maximalLength);
}

bool IntVecOption::setValue(const std::string& text) const {
  return intVec.read(myName, text, valueP, minimalLength, maximalLength, lowest, highest);
}

std::string IntVecOption::valueString() const { return intVec.text(*valueP); }

// ---- DblVecOption

DblVecOption::DblVecOption(const std::string& name, std::vector<double>* value,
                           unsigned int minLen, unsigned int maxLen, double def, double lowest,
                           double highest)
    : Option(name), valueP(value), minimalLength(minLen), maximalLength(maxLen), lowest(lowest),
      highest(highest) {
  dblVec.initFill(myName, valueP, minimalLength, maximalLength, def);
}

DblVecOption::DblVecOption(const std::string& name, std::vector<double>* value,
                           const std::vector<double>& defs, unsigned int minLen,
                           unsigned int maxLen)
    : Option(name), valueP(value), minimalLength(minLen), maximalLength(maxLen),
      lowest(-DBL_MAX), highest(DBL_MAX) {
  dblVec.initCopy(myName, valueP, defs, minimalLength, maximalLength);
}

bool DblVecOption::setValue(const std::string& text) const {
  return dblVec.read(myName, text, valueP, minimalLength, maximalLength, lowest, highest);
}

std::string DblVecOption::valueString() const { return dblVec.text(*valueP); }

// ---- Predicates

namespace Predicates {

void OptionPrint::operator()(const Option* o) const { std::cout << *o << std::endl; }

} // namespace Predicates
