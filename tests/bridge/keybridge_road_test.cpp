// The whole road of a key press with real processes: the simulated keyboard (behind two other
// HID interfaces), KeyBridge.exe with the library built against the simulation, and the
// hot-key handler stand-in, which logs what reaches it.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <algorithm>
#include <map>
#include <memory>

#include "kbd_simulator.h"
#include "test_support.h"

using namespace testing_support;

namespace {

const kbdsim::DeviceSpec kMouse{"road-mouse", 0x046D, 0xC077, 0x0001, 0x0002};
const kbdsim::DeviceSpec kOtherVendor{"road-other", 0x845E, 0x0001, 0xFF00, 0xFF00};
const kbdsim::DeviceSpec kKeysA{"road-keys-a", 0x2E5C, 0x0B11, 0xFF00, 0xFF00};
const kbdsim::DeviceSpec kKeysB{"road-keys-b", 0x2E5C, 0x0B12, 0xFF00, 0xFF00};
const std::string kPathA = kbdsim::DevicePath(kKeysA.name);
const std::string kPathB = kbdsim::DevicePath(kKeysB.name);

std::wstring Quoted(const std::wstring& file) { return L"\"" + BinPath(file) + L"\""; }

// Value a message sent from this process gets, or -1 when the send fails or hangs.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
    return -1;
  return static_cast<LRESULT>(result);
}

// "report id, value" of each feature report sent to `path`, in order.
std::vector<std::pair<int, int>> FeaturesSentTo(kbdsim::Simulator& sim, const std::string& path) {
  std::vector<std::pair<int, int>> sent;
  for (const auto& f : sim.FeatureReports()) {
    if (f.path != path) continue;
    EXPECT_EQ(5u, f.bytes.size());
    for (size_t i = 2; i < f.bytes.size(); ++i) EXPECT_EQ(0, f.bytes[i]);
    sent.emplace_back(f.bytes.size() > 1 ? f.bytes[0] : -1, f.bytes.size() > 1 ? f.bytes[1] : -1);
  }
  return sent;
}

// Times of the feature reports sent to `path`, in order.
std::vector<long long> FeatureTimes(kbdsim::Simulator& sim, const std::string& path) {
  std::vector<long long> times;
  for (const auto& f : sim.FeatureReports())
    if (f.path == path) times.push_back(f.micros);
  return times;
}

// The bridge's pauses last 100 ms; anything shorter than this is no pause.
constexpr long long kPauseMicros = 90000;

using Features = std::vector<std::pair<int, int>>;
const Features kOnArrival = {{2, 2}, {3, 2}, {2, 0}, {3, 0}};
// The reader started first, then the four feature reports.
const std::vector<std::string> kCallsOnArrival = {"reader", "feature 2 2", "feature 3 2",
                                                  "feature 2 0", "feature 3 0"};
// Readable in every process (the shared user data page), but no report of anybody's: a
// message that makes the bridge or the library read it gets its bytes forwarded.
constexpr LPARAM kReadableAddress = 0x7FFE0000;

// The simulated keyboard with its neighbours, the hot-key handler and the bridge.
class Road {
 public:
  explicit Road(bool with_handler = true) {
    logs_.UseForStandinLogs();
    for (const auto& wanted : {kMouse, kOtherVendor, kKeysA, kKeysB}) EXPECT_TRUE(sim.AddDevice(wanted));
    if (with_handler) StartHandler();
    bridge_ = std::make_unique<ChildProcess>(Quoted(L"sim\\KeyBridge.exe"));
    dialog = WaitForWindow("#32770", "KeyBridge");
  }
  void StartHandler() {
    handler_ = std::make_unique<ChildProcess>(Quoted(L"ZOKHKEY.exe"));
    EXPECT_NE(nullptr, WaitForWindow("AfxFrameOrView42sud", "ZOKHKWND"));
  }
  bool WaitForFeatureCount(size_t count) {
    return WaitUntil([&] { return sim.FeatureReports().size() >= count; }, 5000);
  }
  // Before something that makes the library enumerate again and the bridge read anew.
  void ExpectNewPresent() {
    sim.ClearFeatureReports();
    for (const auto& path : {kPathA, kPathB}) opens_before_[path] = std::max(0L, sim.Opens(path));
  }
  // The collections are read by new readers: each was opened twice more (the library's query
  // and the reader), only the reader's handle is still open, and the bridge, which starts the
  // readers before its first feature report, has sent one.
  bool Reading(const std::vector<std::string>& paths = {kPathA, kPathB}) {
    return WaitUntil([&] {
      for (const auto& path : paths) {
        if (sim.Opens(path) < opens_before_[path] + 2 || sim.OpenNow(path) != 1) return false;
        if (FeaturesSentTo(sim, path).empty()) return false;
      }
      return true;
    });
  }
  std::vector<LoggedMessage> Forwarded() {
    std::vector<LoggedMessage> keys;
    for (const auto& m : ReadLoggedMessages(logs_.File(L"ZOKHKEY.log")))
      if (m.msg == 0x500) keys.push_back(m);
    return keys;
  }
  bool WaitForForwarded(size_t count) {
    return WaitUntil([&] { return Forwarded().size() >= count; }, 10000);
  }
  bool BridgeRunning() { return bridge_->Wait(0) == -1; }

  kbdsim::Simulator sim;
  HWND dialog = nullptr;

 private:
  ScratchFolder logs_;
  std::map<std::string, long> opens_before_;
  std::unique_ptr<ChildProcess> handler_;
  std::unique_ptr<ChildProcess> bridge_;
};

TEST(KeyBridgeRoadTest, ArrivalSetsFeaturesAndKeyReportsReachTheHandlerInOrder) {
  Road road;
  ASSERT_NE(nullptr, road.dialog);
  ASSERT_TRUE(road.Reading());
  ASSERT_TRUE(road.WaitForFeatureCount(8));
  for (const std::string& path : {kPathA, kPathB}) {
    EXPECT_EQ(kOnArrival, FeaturesSentTo(road.sim, path)) << path;
    EXPECT_EQ(kCallsOnArrival, road.sim.CallsOn(path)) << path;
    std::vector<long long> times = FeatureTimes(road.sim, path);
    for (size_t i = 1; i < times.size(); ++i) EXPECT_GE(times[i] - times[i - 1], kPauseMicros) << i;
  }
  EXPECT_EQ(0u, FeaturesSentTo(road.sim, kbdsim::DevicePath(kOtherVendor.name)).size());

  // Key reports sent or posted from another process carry addresses of that process: none is
  // forwarded, and the bridge goes on. Nor is one that names memory the bridge can read, sent
  // to the dialog or, as a reader report, to the library's window.
  EXPECT_EQ(0, Send(road.dialog, 0x500, 2, 0x10));
  PostMessageA(road.dialog, 0x500, 2, 0x10);
  EXPECT_EQ(0, Send(road.dialog, 0x500, 2, kReadableAddress));
  PostMessageA(road.dialog, 0x500, 2, kReadableAddress);
  HWND library = WaitForWindow("ZOKUSBClass", "ZOKUSBKEYMSG");
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(0, Send(library, 0x502, 2, kReadableAddress));
  PostMessageA(library, 0x502, 2, kReadableAddress);

  ASSERT_TRUE(road.sim.WriteReport(kPathA, kbdsim::Report({0x05, 0x11, 0x22, 0x33, 0x44, 0x55})));
  ASSERT_TRUE(road.WaitForForwarded(1));
  ASSERT_TRUE(road.sim.WriteReport(kPathB, kbdsim::Report({0xF1, 0x00, 0x80, 0xFE})));
  ASSERT_TRUE(road.WaitForForwarded(2));
  std::vector<kbdsim::InputReport> burst;
  for (BYTE n = 1; n <= 100; ++n) burst.push_back(kbdsim::Report({0x05, n, 0, n}));
  ASSERT_TRUE(road.sim.WriteReports(kPathA, burst));
  ASSERT_TRUE(road.WaitForForwarded(102));
  Sleep(300);

  auto keys = road.Forwarded();
  ASSERT_EQ(102u, keys.size());
  EXPECT_EQ(2u, keys[0].wparam);
  EXPECT_EQ(0x33221105u, keys[0].lparam);
  EXPECT_EQ(3u, keys[1].wparam);
  EXPECT_EQ(0xFE8000F1u, keys[1].lparam);
  for (unsigned n = 1; n <= 100; ++n) {
    EXPECT_EQ(2u, keys[n + 1].wparam);
    EXPECT_EQ(0x05u | n << 8 | n << 24, keys[n + 1].lparam) << "report " << n;
  }
  EXPECT_TRUE(road.BridgeRunning());
}

TEST(KeyBridgeRoadTest, OutsideRequestsAndPowerEventsActAsStated) {
  Road road;
  ASSERT_NE(nullptr, road.dialog);
  ASSERT_TRUE(road.Reading());
  ASSERT_TRUE(road.WaitForFeatureCount(8));
  Sleep(200);
  road.sim.ClearFeatureReports();

  UINT connect = RegisterWindowMessageA("ZOKKBDPNPCONNECT");
  long opens = road.sim.Opens(kPathA);
  EXPECT_EQ(7, Send(road.dialog, connect, 7, 0));
  EXPECT_EQ(1, Send(road.dialog, connect, 0, 0));
  EXPECT_EQ((Features{{2, 2}, {3, 2}}), FeaturesSentTo(road.sim, kPathA));
  EXPECT_EQ((Features{{2, 2}, {3, 2}}), FeaturesSentTo(road.sim, kPathB));
  // The running reader is kept, no second one started.
  EXPECT_EQ(1, road.sim.OpenNow(kPathA));
  EXPECT_EQ(opens, road.sim.Opens(kPathA));

  road.sim.ClearFeatureReports();
  EXPECT_EQ(1, Send(road.dialog, 0x702, 5, 6));
  EXPECT_EQ((Features{{2, 0}, {3, 0}}), FeaturesSentTo(road.sim, kPathA));
  EXPECT_EQ((Features{{2, 0}, {3, 0}}), FeaturesSentTo(road.sim, kPathB));

  // Suspend itself changes nothing.
  road.sim.ClearFeatureReports();
  opens = road.sim.Opens(kPathA);
  EXPECT_EQ(TRUE, Send(road.dialog, WM_POWERBROADCAST, 4, 0));
  Sleep(300);  // time for a present message, had the library been asked to enumerate
  EXPECT_EQ(1, road.sim.OpenNow(kPathA));
  EXPECT_EQ(opens, road.sim.Opens(kPathA));
  EXPECT_TRUE(road.sim.FeatureReports().empty());
  // A suspend request closes the keyboard; its refusal enumerates again, which reopens it.
  EXPECT_EQ(TRUE, Send(road.dialog, WM_POWERBROADCAST, 0, 0));
  EXPECT_TRUE(road.sim.WaitForOpen(kPathA, 0));
  EXPECT_TRUE(road.sim.WaitForOpen(kPathB, 0));
  road.ExpectNewPresent();
  EXPECT_EQ(TRUE, Send(road.dialog, WM_POWERBROADCAST, 2, 0));
  EXPECT_TRUE(road.Reading());
  EXPECT_TRUE(road.WaitForFeatureCount(8));
  EXPECT_EQ(kOnArrival, FeaturesSentTo(road.sim, kPathA));
  road.ExpectNewPresent();
  // Automatic resume closes it, resume from suspend reopens it.
  EXPECT_EQ(TRUE, Send(road.dialog, WM_POWERBROADCAST, 18, 0));
  EXPECT_TRUE(road.sim.WaitForOpen(kPathA, 0));
  EXPECT_EQ(TRUE, Send(road.dialog, WM_POWERBROADCAST, 7, 0));
  EXPECT_TRUE(road.Reading());
  EXPECT_TRUE(road.WaitForFeatureCount(8));

  ASSERT_TRUE(road.sim.WriteReport(kPathA, kbdsim::Report({0x05, 0x01})));
  ASSERT_TRUE(road.WaitForForwarded(1));
  EXPECT_EQ(2u, road.Forwarded()[0].wparam);
  EXPECT_EQ(0x105u, road.Forwarded()[0].lparam);

  // The library's absent message makes the bridge close the keyboard.
  PostMessageA(road.dialog, 0x700, 0, 0);
  EXPECT_TRUE(road.sim.WaitForOpen(kPathA, 0));
  EXPECT_TRUE(road.sim.WaitForOpen(kPathB, 0));
}

TEST(KeyBridgeRoadTest, ConnectReopensAClosedKeyboardAndPausesOnlyWhereStated) {
  Road road;
  ASSERT_NE(nullptr, road.dialog);
  ASSERT_TRUE(road.Reading());
  ASSERT_TRUE(road.WaitForFeatureCount(8));
  Sleep(200);

  // A suspend request closes the keyboard before the bridge answers it.
  EXPECT_EQ(TRUE, Send(road.dialog, WM_POWERBROADCAST, 0, 0));
  EXPECT_EQ(0, road.sim.OpenNow(kPathA));
  EXPECT_EQ(0, road.sim.OpenNow(kPathB));

  // The connect request reads the closed keyboard again and sets both features to 2, with
  // one pause between the two reports and none after them or between the collections.
  road.sim.ClearFeatureReports();
  UINT connect = RegisterWindowMessageA("ZOKKBDPNPCONNECT");
  EXPECT_EQ(1, Send(road.dialog, connect, 0, 0));
  long long answered = kbdsim::NowMicros();
  EXPECT_TRUE(road.sim.WaitForOpen(kPathA, 1));
  EXPECT_TRUE(road.sim.WaitForOpen(kPathB, 1));
  EXPECT_EQ((Features{{2, 2}, {3, 2}}), FeaturesSentTo(road.sim, kPathA));
  std::vector<long long> a = FeatureTimes(road.sim, kPathA), b = FeatureTimes(road.sim, kPathB);
  ASSERT_EQ(2u, a.size());
  ASSERT_EQ(2u, b.size());
  EXPECT_GE(a[1] - a[0], kPauseMicros);
  EXPECT_LT(b[0] - a[0], kPauseMicros);
  EXPECT_LT(answered - b[1], kPauseMicros);

  // Features off: both reports without a pause.
  road.sim.ClearFeatureReports();
  EXPECT_EQ(1, Send(road.dialog, 0x702, 0, 0));
  a = FeatureTimes(road.sim, kPathA);
  ASSERT_EQ(2u, a.size());
  EXPECT_LT(a[1] - a[0], kPauseMicros);

  ASSERT_TRUE(road.sim.WriteReport(kPathA, kbdsim::Report({0x05, 0x42})));
  ASSERT_TRUE(road.WaitForForwarded(1));
  EXPECT_EQ(0x4205u, road.Forwarded()[0].lparam);
}

TEST(KeyBridgeRoadTest, KeysPressedWhileThePresentHandlerPausesAreForwardedAfterItInSendOrder) {
  Road road;
  ASSERT_NE(nullptr, road.dialog);
  ASSERT_TRUE(road.Reading());
  ASSERT_TRUE(road.WaitForFeatureCount(8));
  Sleep(200);

  // Another present message while the keyboard is read: the readers stay, the features are
  // set again with three pauses, during which keys are pressed.
  road.sim.ClearFeatureReports();
  PostMessageA(road.dialog, 0x600, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !road.sim.FeatureReports().empty(); }, 5000));
  for (BYTE n = 1; n <= 5; ++n) {
    ASSERT_TRUE(road.sim.WriteReport(n % 2 ? kPathA : kPathB, kbdsim::Report({0x05, n})));
    Sleep(20);
  }
  ASSERT_TRUE(road.WaitForFeatureCount(8));
  ASSERT_TRUE(road.WaitForForwarded(5));
  Sleep(300);

  // The first report of each collection waits in its reader's send, and those are forwarded
  // first, in the order of the sends; the later ones wait in the collections' pipes, so each
  // collection's keep their order, but nothing orders one collection's after the other's.
  auto keys = road.Forwarded();
  ASSERT_EQ(5u, keys.size());
  EXPECT_EQ(0x105u, keys[0].lparam);
  EXPECT_EQ(0x205u, keys[1].lparam);
  std::map<unsigned long, std::vector<unsigned long>> got;
  for (const auto& key : keys) got[key.wparam].push_back(key.lparam >> 8);
  EXPECT_EQ((std::map<unsigned long, std::vector<unsigned long>>{{2, {1, 3, 5}}, {3, {2, 4}}}), got);
  const long long handler_done = road.sim.FeatureReports().back().micros;
  for (const auto& key : keys) EXPECT_GT(key.micros, handler_done) << key.lparam;
}

TEST(KeyBridgeRoadTest, UnplugAndReplugForwardKeysWithTheNewIndex) {
  Road road;
  ASSERT_NE(nullptr, road.dialog);
  ASSERT_TRUE(road.Reading());
  HWND library = WaitForWindow("ZOKUSBClass", "ZOKUSBKEYMSG");
  ASSERT_NE(nullptr, library);

  // Without A, B moves up to index 2.
  road.ExpectNewPresent();
  ASSERT_TRUE(road.sim.RemoveDevice(kPathA));
  kbdsim::SendInterfaceNotification(library, DBT_DEVICEREMOVECOMPLETE, kPathA, false);
  ASSERT_TRUE(road.Reading({kPathB}));
  ASSERT_TRUE(road.sim.WriteReport(kPathB, kbdsim::Report({0x05, 0xB0})));
  ASSERT_TRUE(road.WaitForForwarded(1));

  // A comes back at the end of the list: index 3.
  road.ExpectNewPresent();
  ASSERT_TRUE(road.sim.AddDevice(kKeysA));
  kbdsim::SendInterfaceNotification(library, DBT_DEVICEARRIVAL, kPathA, false);
  ASSERT_TRUE(road.Reading());
  ASSERT_TRUE(road.sim.WriteReport(kPathA, kbdsim::Report({0x05, 0xA0})));
  ASSERT_TRUE(road.WaitForForwarded(2));
  ASSERT_TRUE(road.sim.WriteReport(kPathB, kbdsim::Report({0x05, 0xB1})));
  ASSERT_TRUE(road.WaitForForwarded(3));

  auto keys = road.Forwarded();
  ASSERT_EQ(3u, keys.size());
  EXPECT_EQ(2u, keys[0].wparam);
  EXPECT_EQ(0xB005u, keys[0].lparam);
  EXPECT_EQ(3u, keys[1].wparam);
  EXPECT_EQ(0xA005u, keys[1].lparam);
  EXPECT_EQ(2u, keys[2].wparam);
  EXPECT_EQ(0xB105u, keys[2].lparam);
}

TEST(KeyBridgeRoadTest, AHandlerThatAppearsLateGetsTheNextReport) {
  Road road(false);
  ASSERT_NE(nullptr, road.dialog);
  ASSERT_TRUE(road.Reading());
  ASSERT_TRUE(road.sim.WriteReport(kPathA, kbdsim::Report({0x05, 0x01})));
  Sleep(500);  // the bridge has met no handler window and dropped the report

  road.StartHandler();
  ASSERT_TRUE(road.sim.WriteReport(kPathA, kbdsim::Report({0x05, 0x02})));
  ASSERT_TRUE(road.WaitForForwarded(1));
  Sleep(300);
  auto keys = road.Forwarded();
  ASSERT_EQ(1u, keys.size());
  EXPECT_EQ(0x205u, keys[0].lparam);
  EXPECT_TRUE(road.BridgeRunning());
}

}  // namespace
