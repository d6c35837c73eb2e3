#ifndef TESTS_TESTUTIL_COMMADECIMAL_H
#define TESTS_TESTUTIL_COMMADECIMAL_H

#include <locale>

namespace testutil {

// While it lives, the global locale writes ',' as the decimal point: texts
// that must not depend on the locale are built inside its scope.
class CommaDecimal {
public:
  CommaDecimal() : old(std::locale::global(std::locale(std::locale::classic(), new Comma))) {}
  ~CommaDecimal() { std::locale::global(old); }
  CommaDecimal(const CommaDecimal&) = delete;
  CommaDecimal& operator=(const CommaDecimal&) = delete;

private:
  struct Comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
  };
  std::locale old;
};

} // namespace testutil

#endif
