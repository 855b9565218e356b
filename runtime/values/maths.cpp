#include "runtime/values/maths.h"

#include <climits>
#include <cmath>

namespace mvn {

namespace {
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
}  // namespace

int truncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT_MAX;
  if (value <= -2147483648.0) return INT_MIN;
  return static_cast<int>(value);
}

double sinDeg(double x) { return std::sin(x * kRadiansPerDegree); }
double cosDeg(double x) { return std::cos(x * kRadiansPerDegree); }
double tanDeg(double x) { return std::tan(x * kRadiansPerDegree); }

double asinDeg(double x) {
  if (x >= 1) return 90;
  if (x <= -1) return -90;
  return std::asin(x) * kDegreesPerRadian;
}

double acosDeg(double x) {
  if (x >= 1) return 0;
  if (x <= -1) return 180;
  return std::acos(x) * kDegreesPerRadian;
}

double atan2Deg(double y, double x) { return std::atan2(y, x) * kDegreesPerRadian; }

double squareRoot(double x) { return std::sqrt(x); }
double naturalLog(double x) { return std::log(x); }
double power(double base, double exponent) { return std::pow(base, exponent); }
double floorOf(double x) { return std::floor(x); }
double ceilOf(double x) { return std::ceil(x); }

double floatMod(double x, double y) { return y == 0 ? 0 : std::fmod(x, y); }

int intMod(int a, int b) {
  if (b == 0) return 0;
  if (b == -1) return 0;  // INT_MIN % -1 would overflow; every a % -1 is 0
  return a % b;
}

}  // namespace mvn
