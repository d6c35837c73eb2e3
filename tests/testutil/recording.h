#ifndef TESTS_TESTUTIL_RECORDING_H
#define TESTS_TESTUTIL_RECORDING_H

#include <fstream>
#include <string>
#include <vector>

namespace testutil {

// The datagrams of a recorded session in the test data folder, one per
// line; the header lines ('#') and empty lines are skipped.
inline std::vector<std::string> recording(const std::string& file) {
  std::ifstream in(std::string(TOLVANE_DATA_DIR) + "/" + file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  return lines;
}

} // namespace testutil

#endif
