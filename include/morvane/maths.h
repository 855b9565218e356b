/// @file
/// Random numbers and the dialect's maths functions. Angles are in degrees.
#pragma once

#include <cstdint>

namespace mvn {

/// @name Random numbers
/// One generator (ISAAC, 32-bit words) for the whole program, seeded at
/// start-up from the clock, or from the environment variable MORVANE_SEED
/// when it holds a number, so that a run can be repeated.
/// @{

/// Starts the generator's sequence anew from a seed: the same seed gives
/// the same numbers.
/// @param seed any 32-bit value
void seedRandom(std::uint32_t seed);
/// A random whole number from 0 to n, n included: rnd(6) gives 0 to 6 (seven
/// values); add 1 to rnd(5) for a die.
/// @param n the largest value; 0 or less gives 0 without drawing a number
/// @return a number from 0 to n
int rnd(int n);
/// @}

/// @name Maths
/// @{

/// A double as an integer, truncated toward zero (2.9 gives 2, -2.9 gives -2).
/// @param value the number
/// @return the integer; not-a-number gives 0, values beyond the integer
///         range give its nearest end
int truncateToInt(double value);
/// @param x angle in degrees @return its sine
double sinDeg(double x);
/// @param x angle in degrees @return its cosine
double cosDeg(double x);
/// @param x angle in degrees @return its tangent
double tanDeg(double x);
/// @param x the sine, -1 to 1 @return the angle in degrees, -90 to 90
///        (90 for x >= 1 and -90 for x <= -1, never a domain error)
double asinDeg(double x);
/// @param x the cosine, -1 to 1 @return the angle in degrees, 0 to 180
///        (0 for x >= 1 and 180 for x <= -1, never a domain error)
double acosDeg(double x);
/// The angle of the point (x, y) seen from the origin.
/// @param y the point's y @param x the point's x
/// @return degrees from -180 to 180, 0 along the positive x axis
double atan2Deg(double y, double x);
/// @param x the number @return its square root; not-a-number for a negative x
double squareRoot(double x);
/// @param x the number @return its natural logarithm
double naturalLog(double x);
/// @param base the base @param exponent the power @return base raised to exponent
double power(double base, double exponent);
/// @param x the number @return the largest whole number not above x
double floorOf(double x);
/// @param x the number @return the smallest whole number not below x
double ceilOf(double x);
/// The floating remainder of x / y, with the sign of x.
/// @param x the dividend @param y the divisor @return the remainder; 0 when y is 0
double floatMod(double x, double y);
/// The integer remainder of a / b, truncating, with the sign of a (-7 mod 3 is -1).
/// @param a the dividend @param b the divisor @return the remainder; 0 when b is 0
int intMod(int a, int b);
/// @}

}  // namespace mvn
