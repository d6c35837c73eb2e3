#ifndef TOLVANE_PARAMREADER_H
#define TOLVANE_PARAMREADER_H

#include <getopt.h>

#include <list>
#include <string>
#include <vector>

#include "tolvane/option.h"

// Base of every parameter store. A store declares its keys by building one
// option per key, bound to one of its members; the reader owns those options
// while it is started and sets members by key from parameter files, the
// command line and the server's parameter messages.
//
// begin() builds the options afresh and with them writes every default;
// end() drops the options and keeps the values.
class ParamReader {
public:
  typedef std::list<Option*> OptionList;

  ParamReader();
  virtual ~ParamReader();

  ParamReader(const ParamReader&) = delete;
  ParamReader& operator=(const ParamReader&) = delete;

  // Whether the value was taken: an unknown key or a refused value is
  // logged and leaves the store as it was.
  virtual bool setParameter(const std::string& key, const std::string& value);
  // Reads a parameter file when started. False when the file could not be
  // read (whyUnread says why; nothing of it is applied) or a line's value
  // was refused (refusedLine names it; the lines before stay applied).
  // Lines whose keys the store lacks are skipped and listed in
  // unknownKeys.
  virtual bool getOptions(const std::string& file);
  virtual bool readParams(std::string file);
  const std::string& whyUnread() const { return unread; }
  // A line of the file last read: its number (from 1), key and value.
  struct FileLine {
    long number;
    std::string key, value;
  };
  // Number 0 when no value was refused.
  const FileLine& refusedLine() const { return refused; }
  const std::vector<FileLine>& unknownKeys() const { return unknown; }
  // Whether an option of the store is named key; false when not started.
  bool knows(const std::string& key) const;
  // The longest parameter file, in bytes: a device without end (such as
  // /dev/zero) must not fill the memory or keep the player reading.
  static const std::size_t MAX_FILE = 1 << 20;
  // Appends one new option per key; building the options writes the defaults.
  virtual void createOptionList(OptionList& list) = 0;
  // Identifies the store's rows in the long-option table.
  virtual int valId() const = 0;

  bool begin();
  void end();
  bool isStarted() const { return started; }

  // Stores a new array of one getopt_long row per key plus an all-zero row
  // through rows and returns the number of keys. The caller owns the array
  // and the name copies (delete[] each). Leaves the started state as it was,
  // but a reader that was not started has written every default again.
  int getOptionStruct(struct option** rows);
  // Lists "key: value" lines on standard output.
  void printOptions() const;

protected:
  // Hands the value to the first option named key; an unknown key or a
  // refused value is logged as an error in the given zone.
  bool setOptionValue(const std::string& key, const std::string& value,
                      unsigned short zone) const;

  bool started;
  OptionList* optionList;
  std::string unread;
  FileLine refused;
  std::vector<FileLine> unknown;
};

#endif
