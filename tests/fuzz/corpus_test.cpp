// Every committed fuzz input (the seeds and each input that once crashed)
// replayed through the same entries as the fuzzers, so that the normal
// sanitizer build checks them without clang.

#include <dirent.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "entries.h"

namespace {

// The names in dir, sorted, without "." and ".."; empty when dir is absent.
std::vector<std::string> entriesOf(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (const dirent* e = readdir(d))
      if (e->d_name[0] != '.') names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

} // namespace

TEST(FuzzCorpus, EveryInputRunsThroughItsTarget) {
  const std::string corpus = TOLVANE_FUZZ_CORPUS_DIR;
  std::set<std::string> named;
  for (const fuzz::Target& t : fuzz::targets()) {
    named.insert(t.name);
    const std::vector<std::string> inputs = entriesOf(corpus + "/" + t.name);
    EXPECT_FALSE(inputs.empty()) << "no seeds for " << t.name;
    for (const std::string& input : inputs) {
      // A crash ends the program before any report: name the input first.
      std::cout << t.name << "/" << input << std::endl;
      std::ifstream in(corpus + "/" + t.name + "/" + input, std::ios::binary);
      const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                            std::istreambuf_iterator<char>()};
      t.run(bytes.data(), bytes.size());
    }
  }
  // A folder without a target would be a corpus that nothing runs.
  for (const std::string& folder : entriesOf(corpus))
    EXPECT_EQ(named.count(folder), 1u) << "corpus folder without a target: " << folder;
}
