// Key reports from the simulated keyboard through the reader threads to the client window:
// contents, index, notices, bursts, stopping, restarting and the threads and handles left.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "reader_session.h"
#include "test_support.h"

using kbdsim::DevicePath;
using testing_support::WaitUntil;

namespace reader_test {
namespace {

std::vector<long> Sequences(const std::vector<kbdsim::ClientMessage>& reports) {
  std::vector<long> sequences;
  for (const auto& report : reports) sequences.push_back(SequenceOf(report.report));
  return sequences;
}

std::vector<long> Range(long first, long count) {
  std::vector<long> range;
  for (long i = 0; i < count; ++i) range.push_back(first + i);
  return range;
}

std::vector<kbdsim::InputReport> Burst(unsigned first, unsigned count) {
  std::vector<kbdsim::InputReport> burst;
  for (unsigned i = 0; i < count; ++i) burst.push_back(NumberedReport(first + i));
  return burst;
}

class ReaderDelivery : public ReaderTest {
 protected:
  // Enumerates, starts the readers and waits until each named collection is open.
  void StartReading(std::initializer_list<const char*> names) {
    ASSERT_EQ(session_.Arrival(), kDevicePresent);
    ReadAndWaitOpen(names);
  }
};

TEST_F(ReaderDelivery, ReportsReachTheClientWholeWithIndexAndNotice) {
  ASSERT_TRUE(sim_.AddDevice({"rd-mouse", 0x046D, 0xC077, 0x0001, 0x0002, 0}));
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rd-kbd")));
  const std::string path = DevicePath("rd-kbd");
  StartReading({"rd-kbd"});

  // Nothing is waiting as the reader starts: it delivers nothing.
  session_.client().Pump(250);
  EXPECT_TRUE(session_.Reports().empty());
  EXPECT_TRUE(session_.notices().empty());

  // A report whose first four bytes are zero is still a report once the reader runs.
  kbdsim::InputReport zero_start = kbdsim::Report({0, 0, 0, 0, 0x44, 0x55});
  zero_start[31] = 0x77;
  kbdsim::InputReport key = kbdsim::Report({0x05, 0x11, 0x22, 0x33, 0x44});
  key[31] = 0x99;
  ASSERT_TRUE(sim_.WriteReport(path, zero_start));
  ASSERT_TRUE(sim_.WriteReport(path, key));
  ASSERT_TRUE(session_.WaitForReports(2));
  WaitUntil([&] {
    session_.client().Pump(5);
    return session_.notices().size() >= 2;
  }, 3000);

  auto reports = session_.Reports();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].wparam, 1u);  // the keyboard is the second interface of the table
  EXPECT_EQ(reports[1].wparam, 1u);
  EXPECT_EQ(reports[0].report, std::vector<BYTE>(zero_start.begin(), zero_start.end()));
  EXPECT_EQ(reports[1].report, std::vector<BYTE>(key.begin(), key.end()));
  ASSERT_EQ(session_.notices().size(), 2u);
  EXPECT_EQ(session_.notices()[0].index, 1u);
  EXPECT_EQ(session_.notices()[0].first_bytes, 0u);
  EXPECT_EQ(session_.notices()[1].index, 1u);
  EXPECT_EQ(session_.notices()[1].first_bytes, 0x33221105u);

  // Asking to read again while the reader runs starts no second reader.
  long threads = ThreadCount();
  session_.library().read_device(kUsagePage, kUsage);
  session_.client().Pump(200);
  EXPECT_EQ(sim_.OpenNow(path), 1);
  EXPECT_EQ(ThreadCount(), threads);
  ASSERT_TRUE(sim_.WriteReport(path, NumberedReport(7)));
  ASSERT_TRUE(session_.WaitForReports(3));
  session_.client().Pump(200);
  EXPECT_EQ(Sequences(session_.Reports()), (std::vector<long>{-1, -1, 7}));
}

TEST_F(ReaderDelivery, AReportWaitingAsTheReaderStartsIsDeliveredOnce) {
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rd-waiting")));
  const std::string path = DevicePath("rd-waiting");
  ASSERT_EQ(session_.Arrival(), kDevicePresent);
  // The reader has the collection open but has not started its first read yet when the
  // report comes, so that read completes at once.
  sim_.HoldReads(true);
  session_.library().read_device(kUsagePage, kUsage);
  ASSERT_TRUE(WaitUntil([&] { return sim_.ReadsHeld() == 1; }));
  ASSERT_TRUE(sim_.WriteReport(path, NumberedReport(3)));
  sim_.HoldReads(false);
  ASSERT_TRUE(session_.WaitForReports(1));
  session_.client().Pump(300);
  EXPECT_EQ(Sequences(session_.Reports()), (std::vector<long>{3}));
}

TEST_F(ReaderDelivery, BurstsArriveOnceInOrderAndWhole) {
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rd-burst")));
  const std::string path = DevicePath("rd-burst");
  StartReading({"rd-burst"});

  unsigned next = 100;
  for (unsigned size : {2u, 20u, 1000u}) {
    session_.Clear();
    ASSERT_TRUE(sim_.WriteReports(path, Burst(next, size)));
    session_.WaitForReports(size, 20000);
    session_.client().Pump(150);  // anything repeated would arrive now
    EXPECT_EQ(Sequences(session_.Reports()), Range(next, size)) << "burst of " << size;
    next += size;
  }

  // A client that takes its time: each report completes while the one before it is still
  // being delivered.
  session_.Clear();
  session_.SetReportHook([](WPARAM, LPARAM) { Sleep(3); });
  ASSERT_TRUE(sim_.WriteReports(path, Burst(next, 20)));
  session_.WaitForReports(20, 20000);
  session_.client().Pump(150);
  EXPECT_EQ(Sequences(session_.Reports()), Range(next, 20)) << "slow client";
}

TEST_F(ReaderDelivery, RemoveDeviceStopsDeliveryAndLeavesNoThreadOrHandle) {
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rd-stop-a")));
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rd-stop-b")));
  const std::string path_a = DevicePath("rd-stop-a");
  ASSERT_EQ(session_.Arrival(), kDevicePresent);
  session_.client().Pump(100);
  const long threads = ThreadCount();
  const long handles = HandleCount();
  ASSERT_GT(threads, 0);
  ASSERT_GT(handles, 0);

  session_.library().read_device(kUsagePage, kUsage);
  ASSERT_TRUE(sim_.WaitForOpen(path_a, 1));
  ASSERT_TRUE(sim_.WaitForOpen(DevicePath("rd-stop-b"), 1));
  EXPECT_EQ(WaitForThreadCount(threads + 2), threads + 2);

  // The client removes the device while the first report of a burst is being delivered:
  // nothing after that report reaches it.
  int removals = 0;
  session_.SetReportHook([&](WPARAM, LPARAM) {
    if (removals++ == 0) session_.library().remove_device();
  });
  ASSERT_TRUE(sim_.WriteReports(path_a, Burst(1, 20)));
  ASSERT_TRUE(session_.WaitForReports(1));
  EXPECT_TRUE(WaitUntil([&] {
    session_.client().Pump(5);
    return sim_.OpenNowTotal() == 0;
  }));
  session_.client().Pump(300);
  EXPECT_EQ(Sequences(session_.Reports()), (std::vector<long>{1}));

  EXPECT_EQ(WaitForThreadCount(threads), threads);
  EXPECT_EQ(WaitForHandleCount(handles), handles);
}

TEST_F(ReaderDelivery, FastStopStartCyclesLeaveOneReaderAndNoRepeats) {
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rd-cycle")));
  const std::string path = DevicePath("rd-cycle");
  ASSERT_EQ(session_.Arrival(), kDevicePresent);
  session_.client().Pump(100);
  const long threads = ThreadCount();

  std::atomic<bool> writing{true};
  std::atomic<unsigned> written{0};
  std::thread writer([&] {
    while (writing) {
      sim_.WriteReport(path, NumberedReport(written++));
      Sleep(1);
    }
  });
  for (int cycle = 0; cycle < 30; ++cycle) {
    session_.library().remove_device();
    session_.library().read_device(kUsagePage, kUsage);
    session_.client().Pump(10);
  }
  session_.client().Pump(100);
  writing = false;
  writer.join();
  session_.client().Pump(300);

  // Every report came at most once and in the order written; some came at all.
  std::vector<long> sequences = Sequences(session_.Reports());
  EXPECT_FALSE(sequences.empty());
  for (size_t i = 0; i < sequences.size(); ++i) {
    ASSERT_GE(sequences[i], 0) << "report " << i << " damaged";
    if (i > 0) {
      ASSERT_GT(sequences[i], sequences[i - 1]) << "report " << i;
    }
  }

  // One reader is left, and it alone delivers.
  EXPECT_EQ(WaitForThreadCount(threads + 1), threads + 1);
  EXPECT_EQ(sim_.OpenNow(path), 1);
  session_.Clear();
  ASSERT_TRUE(sim_.WriteReport(path, NumberedReport(written + 1)));
  ASSERT_TRUE(session_.WaitForReports(1));
  session_.client().Pump(200);
  EXPECT_EQ(Sequences(session_.Reports()), (std::vector<long>{static_cast<long>(written + 1)}));

  session_.StopAll(sim_);
  EXPECT_EQ(WaitForThreadCount(threads), threads);
}

TEST_F(ReaderDelivery, EachFeatureReportIsFollowedByAPause) {
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rd-feat-a")));
  kbdsim::DeviceSpec failing = Keyboard("rd-feat-b");
  failing.failures = kbdsim::kFailFeature;
  ASSERT_TRUE(sim_.AddDevice(failing));
  ASSERT_TRUE(sim_.AddDevice(Keyboard("rd-feat-c")));
  StartReading({"rd-feat-a", "rd-feat-b", "rd-feat-c"});
  sim_.ClearFeatureReports();

  BYTE report[5] = {2, 2, 0, 0, 0};
  EXPECT_EQ(session_.library().set_kbd_features(kUsagePage, kUsage, report), 1);

  // A refused report does not stop the others, and each send waits before the next.
  auto sent = sim_.FeatureReports();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].path, DevicePath("rd-feat-a"));
  EXPECT_FALSE(sent[1].succeeded);
  EXPECT_EQ(sent[2].path, DevicePath("rd-feat-c"));
  EXPECT_TRUE(sent[2].succeeded);
  for (size_t i = 1; i < sent.size(); ++i) {
    EXPECT_GE(sent[i].micros - sent[i - 1].micros, 900) << "send " << i;
  }
}

}  // namespace
}  // namespace reader_test
