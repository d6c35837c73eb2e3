#ifndef TOLVANE_POSEST_H
#define TOLVANE_POSEST_H

#include <complex>
#include <valarray>

// Working types of the bearing-only position fix: a field point (x, y) is
// the complex number x + i*y; the arrays hold one element per seen flag.
typedef std::complex<double> ComplexVal;
typedef std::valarray<double> RealArray;
typedef std::valarray<ComplexVal> ComplexArray;

#endif
