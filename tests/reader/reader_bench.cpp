// Benchmark of the key-report road through the simulated ZOKUSB.dll: the latency from the
// simulator's write to the client's key-report message, and the highest report rate the
// readers hold without losing a report. Prints figures; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "reader_session.h"

using reader_test::ReaderSession;

namespace {

constexpr int kLatencyReports = 10000;
constexpr int kRateSeconds = 2;
const int kRates[] = {500, 1000, 2000, 5000, 10000, 20000};

// Report `sequence` carrying the time it was handed to the simulator in bytes 8 to 15.
kbdsim::InputReport StampedReport(unsigned sequence) {
  kbdsim::InputReport report = reader_test::NumberedReport(sequence);
  long long now = kbdsim::NowMicros();
  for (int k = 0; k < 8; ++k) report[8 + k] = static_cast<BYTE>(now >> (8 * k));
  return report;
}

long long StampOf(const std::vector<BYTE>& report) {
  long long stamp = 0;
  for (int k = 0; k < 8; ++k) stamp |= static_cast<long long>(report[8 + k]) << (8 * k);
  return stamp;
}

unsigned SequenceOf(const std::vector<BYTE>& report) {
  unsigned sequence = 0;
  for (int k = 0; k < 4; ++k) sequence |= static_cast<unsigned>(report[1 + k]) << (8 * k);
  return sequence;
}

// Dispatches the client thread's messages until `done` holds or `timeout_ms` passes.
template <typename Done>
void PumpUntil(Done done, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < timeout_ms) ReaderSession::Get().client().Pump(1);
}

void MeasureLatency(kbdsim::Simulator& sim, const std::string& path) {
  ReaderSession& session = ReaderSession::Get();
  session.Clear();
  std::atomic<int> received{0};
  session.SetReportHook([&](WPARAM, LPARAM) { ++received; });
  std::atomic<bool> finished{false};
  std::vector<long long> write_calls;
  // One report in flight at a time, written from a thread other than the client's.
  std::thread writer([&] {
    for (int i = 0; i < kLatencyReports; ++i) {
      long long before = kbdsim::NowMicros();
      sim.WriteReport(path, StampedReport(static_cast<unsigned>(i)));
      write_calls.push_back(kbdsim::NowMicros() - before);
      DWORD start = GetTickCount();
      while (received.load() <= i && GetTickCount() - start < 2000) Sleep(0);
    }
    finished = true;
  });
  PumpUntil([&] { return finished.load(); }, 600000);
  writer.join();
  session.SetReportHook(nullptr);

  std::vector<long long> latencies;
  for (const auto& report : session.Reports()) {
    latencies.push_back(report.micros - StampOf(report.report));
  }
  std::sort(latencies.begin(), latencies.end());
  std::sort(write_calls.begin(), write_calls.end());
  if (latencies.empty()) {
    printf("latency: no report arrived\n");
    return;
  }
  auto at = [&](double share) {
    size_t index = static_cast<size_t>(share * (latencies.size() - 1));
    return latencies[index];
  };
  printf("latency over %zu of %d reports (simulator write -> KeyReportMessage): "
         "p50 %lld us, p99 %lld us, max %lld us\n",
         latencies.size(), kLatencyReports, at(0.50), at(0.99), latencies.back());
  printf("  (of which the simulator's write call itself, handing the report to its pipe thread: "
         "p50 %lld us)\n",
         write_calls[write_calls.size() / 2]);
}

// Writes reports at `rate` per second (or as fast as the simulator takes them) for
// kRateSeconds; returns the rate achieved when every report arrived once and in order, else 0.
double HeldRate(kbdsim::Simulator& sim, const std::string& path, int rate, unsigned* next) {
  ReaderSession& session = ReaderSession::Get();
  session.Clear();
  const unsigned first = *next;
  const int count = rate * kRateSeconds;
  std::atomic<int> received{0};
  session.SetReportHook([&](WPARAM, LPARAM) { ++received; });
  std::atomic<bool> finished{false};
  long long elapsed = 0;
  std::thread writer([&] {
    long long start = kbdsim::NowMicros();
    for (int i = 0; i < count; ++i) {
      long long due = start + static_cast<long long>(i) * 1000000 / rate;
      while (kbdsim::NowMicros() < due) Sleep(0);
      sim.WriteReport(path, StampedReport(first + static_cast<unsigned>(i)));
    }
    elapsed = kbdsim::NowMicros() - start;
    finished = true;
  });
  PumpUntil([&] { return finished.load(); }, 600000);
  writer.join();
  // Whatever is still on its way drains now; a report that is lost never comes.
  PumpUntil([&] { return received.load() >= count; }, 30000);
  session.client().Pump(100);
  session.SetReportHook(nullptr);
  *next = first + static_cast<unsigned>(count);

  auto reports = session.Reports();
  bool complete = reports.size() == static_cast<size_t>(count);
  for (size_t i = 0; complete && i < reports.size(); ++i) {
    complete = SequenceOf(reports[i].report) == first + i;
  }
  double achieved = elapsed > 0 ? count * 1e6 / static_cast<double>(elapsed) : 0;
  printf("rate %6d/s: %d written (%.0f/s achieved), %zu received, %s\n", rate, count, achieved,
         reports.size(), complete ? "none lost" : "LOST or out of order");
  return complete ? achieved : 0;
}

}  // namespace

int main() {
  kbdsim::Simulator sim;
  if (!sim.AddDevice(reader_test::Keyboard("bench-kbd"))) {
    printf("the simulated keyboard could not be added\n");
    return 1;
  }
  const std::string path = kbdsim::DevicePath("bench-kbd");
  ReaderSession& session = ReaderSession::Get();
  if (!session.library().loaded() || session.Arrival() != reader_test::kDevicePresent) {
    printf("the simulated library did not find the keyboard\n");
    return 1;
  }
  session.library().read_device(reader_test::kUsagePage, reader_test::kUsage);
  if (!sim.WaitForOpen(path, 1)) {
    printf("no reader opened the keyboard\n");
    return 1;
  }

  MeasureLatency(sim, path);
  unsigned next = kLatencyReports;
  double best = 0;
  for (int rate : kRates) {
    double held = HeldRate(sim, path, rate, &next);
    if (held == 0) break;
    best = std::max(best, held);
  }
  printf("highest loss-free report rate: %.0f reports/s\n", best);
  session.library().remove_device();
  return 0;
}
