// Benchmark of the whole road of a key press with real processes: simulated keyboard ->
// KeyBridge.exe (with the simulated ZOKUSB.dll) -> hot-key handler stand-in. Measures the
// latency from the simulator's write to the stand-in's receipt of the forwarded message, and
// the highest report rate carried with none lost. Prints figures; asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "kbd_simulator.h"
#include "test_support.h"

using namespace testing_support;

namespace {

constexpr int kRateSeconds = 2;
const int kRates[] = {500, 1000, 2000, 5000, 10000, 20000};
const std::string kPath = kbdsim::DevicePath("bench-road-keys");

// Report `sequence` (24 bits): byte 0 the report id, bytes 1 to 3 the sequence, so the
// forwarded lParam is 0x05 | sequence << 8.
kbdsim::InputReport NumberedReport(unsigned sequence) {
  return kbdsim::Report({0x05, static_cast<BYTE>(sequence), static_cast<BYTE>(sequence >> 8),
                         static_cast<BYTE>(sequence >> 16)});
}

unsigned SequenceOf(const LoggedMessage& m) { return static_cast<unsigned>(m.lparam >> 8); }

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Forwarded key messages of the stand-in's log with sequences from `first` on.
std::vector<LoggedMessage> ForwardedFrom(const std::wstring& log, unsigned first) {
  std::vector<LoggedMessage> keys;
  for (const auto& m : ReadLoggedMessages(log))
    if (m.msg == 0x500 && SequenceOf(m) >= first) keys.push_back(m);
  return keys;
}

// Waits until the log stops growing for `quiet_ms`.
void WaitForQuiet(const std::wstring& log, DWORD quiet_ms, DWORD timeout_ms) {
  DWORD start = GetTickCount(), changed = start;
  long long size = FileSize(log);
  while (GetTickCount() - changed < quiet_ms && GetTickCount() - start < timeout_ms) {
    Sleep(20);
    long long now = FileSize(log);
    if (now != size) size = now, changed = GetTickCount();
  }
}

void PrintLatencies(const char* what, std::vector<long long> latencies, size_t written) {
  if (latencies.empty()) {
    printf("%s: no report arrived\n", what);
    return;
  }
  std::sort(latencies.begin(), latencies.end());
  auto at = [&](double share) { return latencies[static_cast<size_t>(share * (latencies.size() - 1))]; };
  printf("%s over %zu of %zu reports: p50 %lld us, p99 %lld us, max %lld us\n", what,
         latencies.size(), written, at(0.50), at(0.99), latencies.back());
}

// One report in flight at a time: the next is written once the stand-in has logged the last.
void MeasureLatency(kbdsim::Simulator& sim, const std::wstring& log, int count, unsigned* next) {
  const unsigned first = *next;
  std::vector<long long> written_at(count);
  for (int i = 0; i < count; ++i) {
    long long size = FileSize(log);
    written_at[i] = kbdsim::NowMicros();
    sim.WriteReport(kPath, NumberedReport(first + i));
    DWORD start = GetTickCount();
    while (FileSize(log) == size && GetTickCount() - start < 2000) Sleep(1);
  }
  WaitForQuiet(log, 300, 5000);
  *next = first + count;
  std::vector<long long> latencies;
  for (const auto& m : ForwardedFrom(log, first)) {
    unsigned i = SequenceOf(m) - first;
    if (i < static_cast<unsigned>(count)) latencies.push_back(m.micros - written_at[i]);
  }
  PrintLatencies("latency (simulator write -> hot-key handler)", latencies, count);
}

// Writes reports at `rate` per second for kRateSeconds; true when every one arrived once, in
// order, and the writer kept the pace.
bool HoldsRate(kbdsim::Simulator& sim, const std::wstring& log, int rate, unsigned* next) {
  const unsigned first = *next;
  const int count = rate * kRateSeconds;
  std::vector<long long> written_at(count);
  long long start = kbdsim::NowMicros();
  for (int i = 0; i < count; ++i) {
    long long due = start + static_cast<long long>(i) * 1000000 / rate;
    while (kbdsim::NowMicros() < due) Sleep(0);
    written_at[i] = kbdsim::NowMicros();
    sim.WriteReport(kPath, NumberedReport(first + i));
  }
  long long elapsed = kbdsim::NowMicros() - start;
  WaitForQuiet(log, 1000, 60000);
  *next = first + count;

  auto keys = ForwardedFrom(log, first);
  bool whole = keys.size() == static_cast<size_t>(count);
  std::vector<long long> latencies;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (SequenceOf(keys[i]) != first + i || keys[i].wparam != 2) whole = false;
    unsigned k = SequenceOf(keys[i]) - first;
    if (k < static_cast<unsigned>(count)) latencies.push_back(keys[i].micros - written_at[k]);
  }
  double achieved = elapsed > 0 ? count * 1e6 / static_cast<double>(elapsed) : 0;
  bool paced = achieved >= rate * 0.95;
  std::sort(latencies.begin(), latencies.end());
  printf("rate %6d/s: %d written (%.0f/s achieved), %zu received, %s, p99 %lld us\n", rate,
         count, achieved, keys.size(), whole ? "none lost, in order" : "LOST or out of order",
         latencies.empty() ? -1LL : latencies[static_cast<size_t>(0.99 * (latencies.size() - 1))]);
  return whole && paced;
}

}  // namespace

int main(int argc, char** argv) {
  int latency_reports = argc > 1 ? atoi(argv[1]) : 10000;
  kbdsim::Simulator sim;
  // The keyboard behind two other interfaces, at device-table index 2.
  sim.AddDevice({"bench-road-mouse", 0x046D, 0xC077, 0x0001, 0x0002});
  sim.AddDevice({"bench-road-other", 0x845E, 0x0001, 0xFF00, 0xFF00});
  sim.AddDevice({"bench-road-keys", 0x2E5C, 0x0B11, 0xFF00, 0xFF00});
  ScratchFolder logs;
  logs.UseForStandinLogs();
  const std::wstring log = logs.File(L"ZOKHKEY.log");
  ChildProcess handler(L"\"" + BinPath(L"ZOKHKEY.exe") + L"\"");
  ChildProcess bridge(L"\"" + BinPath(L"sim\\KeyBridge.exe") + L"\"");
  bool reading = WaitUntil([&] { return sim.FeatureReports().size() >= 4 && sim.OpenNow(kPath) == 1; });
  if (!WaitForWindow("AfxFrameOrView42sud", "ZOKHKWND") || !reading) {
    printf("the road could not be set up (hot-key handler, bridge or reader missing)\n");
    return 1;
  }
  Sleep(200);

  unsigned next = 1;
  MeasureLatency(sim, log, latency_reports, &next);
  int best = 0;
  for (int rate : kRates) {
    if (!HoldsRate(sim, log, rate, &next)) break;
    best = rate;
  }
  printf("highest loss-free report rate: %d reports/s\n", best);
  return 0;
}
