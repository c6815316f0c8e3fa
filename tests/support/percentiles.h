// Latency figures of the benchmarks: median, 99th percentile and maximum of a set of samples.
#pragma once
#include <algorithm>
#include <vector>

namespace testing_support {

struct Percentiles {
  long long p50 = 0, p99 = 0, max = 0;
};

// All zero for no samples.
inline Percentiles PercentilesOf(std::vector<long long> values) {
  Percentiles result;
  if (values.empty()) return result;
  std::sort(values.begin(), values.end());
  result.p50 = values[values.size() / 2];
  result.p99 = values[static_cast<size_t>(0.99 * (values.size() - 1))];
  result.max = values.back();
  return result;
}

}  // namespace testing_support
