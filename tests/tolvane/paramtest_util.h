#ifndef TESTS_TOLVANE_PARAMTEST_UTIL_H
#define TESTS_TOLVANE_PARAMTEST_UTIL_H

#include <gtest/gtest.h>

#include <string>

#include "tolvane/paramreader.h"

namespace paramtest {

// What a store lists on standard output (printOptions is not virtual).
template <class Store> std::string listing(const Store& store) {
  testing::internal::CaptureStdout();
  store.printOptions();
  return testing::internal::GetCapturedStdout();
}

} // namespace paramtest

#endif
