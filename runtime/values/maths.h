// The dialect's maths functions; angles in degrees.
#pragma once

namespace mvn {

// A double as an integer, truncated toward zero; not-a-number gives 0 and
// values beyond the integer range give its nearest end.
int truncateToInt(double value);

double sinDeg(double x);
double cosDeg(double x);
double tanDeg(double x);
// 90 for x >= 1 and -90 for x <= -1, without a domain error.
double asinDeg(double x);
// 0 for x >= 1 and 180 for x <= -1, without a domain error.
double acosDeg(double x);
double atan2Deg(double y, double x);
// Not-a-number for a negative x.
double squareRoot(double x);
double naturalLog(double x);
double power(double base, double exponent);
double floorOf(double x);
double ceilOf(double x);
// 0 when y is 0, else fmod (the sign of x).
double floatMod(double x, double y);
// 0 when b is 0, else the truncating remainder (the sign of a).
int intMod(int a, int b);

}  // namespace mvn
