#ifndef TESTS_TOLVANE_PARAMTEST_UTIL_H
#define TESTS_TOLVANE_PARAMTEST_UTIL_H

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tolvane/paramreader.h"

namespace paramtest {

// The (name value) pairs of a message such as "(server_param (port 6000)(ball_decay 0.94))".
inline std::vector<std::pair<std::string, std::string>> messagePairs(const std::string& msg) {
  std::vector<std::pair<std::string, std::string>> pairs;
  std::string::size_type pos = msg.find('(', 1), blank, close;
  while (pos != std::string::npos && (blank = msg.find(' ', pos)) < (close = msg.find(')', pos))) {
    pairs.emplace_back(msg.substr(pos + 1, blank - pos - 1), msg.substr(blank + 1, close - blank - 1));
    pos = msg.find('(', close);
  }
  return pairs;
}

// What a store lists on standard output (printOptions is not virtual).
template <class Store> std::string listing(const Store& store) {
  testing::internal::CaptureStdout();
  store.printOptions();
  return testing::internal::GetCapturedStdout();
}

} // namespace paramtest

#endif
