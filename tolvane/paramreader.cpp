#include "tolvane/paramreader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>

#include "tolvanebase/vekmath.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned short PARAM_ZONE = 1002;

vomar::Forwarder& error(unsigned short zone = PARAM_ZONE) {
  return vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, zone);
}

const char* const WHITE = " \t";

// The whole file into text; false, with the reason, when it cannot be read
// or holds more than MAX_FILE bytes.
bool readWhole(const std::string& file, std::string& text, std::string& why) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "r"), std::fclose);
  if (!in) {
    why = std::strerror(errno);
    error() << "Cannot open parameter file (" << file << ")" << "\n";
    return false;
  }
  char chunk[4096];
  for (std::size_t n; text.size() <= ParamReader::MAX_FILE &&
                      (n = std::fread(chunk, 1, sizeof chunk, in.get())) > 0;)
    text.append(chunk, n);
  // A directory opens but cannot be read; neither can a file on a failing
  // disk.
  if (std::ferror(in.get()))
    why = std::strerror(errno);
  else if (text.size() > ParamReader::MAX_FILE)
    why = "longer than 1 MiB";
  else
    return true;
  error() << "Cannot read parameter file (" << file << "): " << why << "\n";
  return false;
}

} // namespace

ParamReader::ParamReader() : started(false), optionList(nullptr) {}

ParamReader::~ParamReader() { end(); }

bool ParamReader::begin() {
  if (!started) {
    optionList = new OptionList;
    createOptionList(*optionList);
    started = true;
  }
  return true;
}

void ParamReader::end() {
  if (started && optionList) {
    std::for_each(optionList->begin(), optionList->end(), Predicates::OptionDelete());
    delete optionList;
  }
  optionList = nullptr;
  started = false;
}

bool ParamReader::setParameter(const std::string& key, const std::string& value) {
  if (!started) {
    error() << "ParamReader has to be started first" << "\n";
    return false;
  }
  return setOptionValue(key, value, PARAM_ZONE);
}

bool ParamReader::knows(const std::string& key) const {
  return started && std::any_of(optionList->begin(), optionList->end(),
                                [&key](const Option* o) { return o->isName(key); });
}

bool ParamReader::setOptionValue(const std::string& key, const std::string& value,
                                 unsigned short zone) const {
  OptionList::const_iterator it =
      std::find_if(optionList->begin(), optionList->end(),
                   [&key](const Option* o) { return o->isName(key); });
  if (it == optionList->end()) {
    error(zone) << "Unknown parameter (" << key << ")" << "\n";
    return false;
  }
  if (!(*it)->setValue(value)) {
    error(zone) << "Can't set value (" << value << ") for parameter (" << key << ")" << "\n";
    return false;
  }
  return true;
}

bool ParamReader::getOptions(const std::string& file) {
  if (started) return readParams(file);
  error() << "ParamReader has to be started first" << "\n";
  return true;
}

bool ParamReader::readParams(std::string file) {
  unread.clear();
  refused = FileLine{0, "", ""};
  unknown.clear();
  std::string text;
  if (!readWhole(file, text, unread)) return false;
  std::istringstream lines(text);
  std::string line;
  for (long number = 1; std::getline(lines, line); ++number) {
    // A file written with CR LF line ends reads the same as one with LF.
    if (!line.empty() && line[line.size() - 1] == '\r') line.erase(line.size() - 1);
    std::string::size_type first = line.find_first_not_of(WHITE);
    if (first == std::string::npos) continue;
    if (line[first] == '#') continue;
    std::replace(line.begin(), line.end(), ':', ' ');
    // A leading colon has just become a blank: the key starts behind it (a
    // line of colons alone gives the empty key).
    first = std::min(line.find_first_not_of(WHITE), line.size());
    const std::string::size_type keyEnd = std::min(line.find_first_of(WHITE, first), line.size());
    const std::string key = line.substr(first, keyEnd - first);

    std::string value;
    const std::string::size_type valStart = line.find_first_not_of(WHITE, keyEnd);
    if (valStart != std::string::npos) {
      // White space before a comment or the line end is not part of the
      // value: "use_offside on   # c" must read as on.
      value = line.substr(valStart, line.find('#', valStart) - valStart);
      value.erase(value.find_last_not_of(WHITE) + 1);
    }
    // A file may come from a newer server, with keys this store lacks.
    const bool known = knows(key);
    if (setParameter(key, value)) continue;
    if (!known) {
      unknown.push_back(FileLine{number, key, value});
      continue;
    }
    refused = FileLine{number, key, value};
    return false;
  }
  return true;
}

int ParamReader::getOptionStruct(struct option** rows) {
  const bool wasStarted = started;
  begin();
  const int n = static_cast<int>(optionList->size());
  struct option* table = new struct option[n + 1];
  int i = 0;
  for (const Option* o : *optionList) {
    table[i].name = vekbase::c_string(o->getName());
    table[i].has_arg = o->hasArg();
    table[i].flag = nullptr;
    table[i].val = valId();
    ++i;
  }
  table[n].name = nullptr;
  table[n].has_arg = 0;
  table[n].flag = nullptr;
  table[n].val = 0;
  *rows = table;
  if (!wasStarted) end();
  return n;
}

void ParamReader::printOptions() const {
  if (!started) {
    error() << "ParamReader has to be started first" << "\n";
    return;
  }
  std::for_each(optionList->begin(), optionList->end(), Predicates::OptionPrint());
}
