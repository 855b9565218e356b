#include "runtime/pathfind/cost_grid.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Both passes run over every cell of the map before each search, so they go
// four values at a time where SSE2 is there (every x86-64), with the same
// IEEE operations in each lane as the scalar code: maxpd(v, 0) gives the
// second operand 0 for a NaN v, minpd holds at FLT_MAX, cvtpd2ps rounds to
// nearest, divps rounds each quotient.

namespace mvn {

// Rounding to a float keeps the order of the values, so the largest value
// as a float is the largest value, rounded.
float largestMapValue(const double* map, std::size_t count) {
  double largest = 0.0;
  std::size_t i = 0;
#if defined(__SSE2__)
  __m128d low = _mm_setzero_pd();
  __m128d high = _mm_setzero_pd();
  for (; i + 4 <= count; i += 4) {
    low = _mm_max_pd(_mm_loadu_pd(map + i), low);
    high = _mm_max_pd(_mm_loadu_pd(map + i + 2), high);
  }
  double lanes[4];
  _mm_storeu_pd(lanes, low);
  _mm_storeu_pd(lanes + 2, high);
  for (double lane : lanes) largest = lane > largest ? lane : largest;
#endif
  for (; i < count; ++i) largest = map[i] > largest ? map[i] : largest;
  return mapValueAsFloat(largest);
}

void fillCosts(const double* map, std::size_t count, float largest, float* costs) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128d zero = _mm_setzero_pd();
  const __m128d held = _mm_set1_pd(static_cast<double>(FLT_MAX));
  const __m128 divisor = _mm_set1_ps(largest);
  const __m128 one = _mm_set1_ps(1.0f);
  const __m128 blocked = _mm_set1_ps(kBlockedCost);
  for (; i + 4 <= count; i += 4) {
    __m128d low = _mm_min_pd(_mm_max_pd(_mm_loadu_pd(map + i), zero), held);
    __m128d high = _mm_min_pd(_mm_max_pd(_mm_loadu_pd(map + i + 2), zero), held);
    __m128 v = _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
    __m128 cost = _mm_add_ps(_mm_div_ps(v, divisor), one);
    __m128 open = _mm_cmpgt_ps(v, _mm_setzero_ps());
    _mm_storeu_ps(costs + i, _mm_or_ps(_mm_and_ps(open, cost), _mm_andnot_ps(open, blocked)));
  }
#endif
  for (; i < count; ++i) costs[i] = cellCost(map[i], largest);
}

}  // namespace mvn
