// The device table, enumeration and matching of the simulated libraries, seen through their
// exports and the simulated keyboard.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>
extern "C" {
#include <hidsdi.h>
}

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "kbd_simulator.h"
#include "sim_library.h"

using namespace kbdsim;

namespace {

constexpr UINT kPresent = 0x600;
constexpr UINT kAbsent = 0x700;
constexpr int kPage = 0xFF00;
constexpr USHORT kZokVendor = 0x2E5C;
constexpr USHORT kYevVendor = 0x2E5D;

struct Variant {
  const wchar_t* file;
  USHORT vendor;
  USHORT other_vendor;
  bool any_product;
};
const Variant kVariants[] = {{L"sim\\ZOKUSB.dll", kZokVendor, kYevVendor, false},
                             {L"sim\\YEVUSB.dll", kYevVendor, kZokVendor, true}};

// Each simulated library is loaded and initialised once per process, on an empty
// simulator, with its own recording client window; the InitDriver messages are kept.
struct LoadedVariant {
  std::unique_ptr<LibraryUnderTest> library;
  std::unique_ptr<RecordingWindow> client;
  std::vector<UINT> init_messages;
};

LoadedVariant& Load(const Variant& variant) {
  static std::map<const Variant*, LoadedVariant> loaded;
  LoadedVariant& entry = loaded[&variant];
  if (!entry.library) {
    entry.library = std::make_unique<LibraryUnderTest>(ExecutableFolder() + variant.file);
    entry.client = std::make_unique<RecordingWindow>();
    if (entry.library->loaded()) {
      EXPECT_EQ(1, entry.library->init_driver(entry.client->hwnd(), 0x500, kPage));
      entry.client->Pump(100);
      for (const auto& m : entry.client->messages()) entry.init_messages.push_back(m.message);
    }
  }
  entry.client->Clear();
  return entry;
}

class KbdLibTable : public ::testing::Test {
 protected:
  // The simulator exists before any library is loaded, so the first InitDriver sees none.
  Simulator sim;

  void Add(const std::string& name, USHORT vendor, USHORT product, USHORT page, USHORT usage,
           unsigned failures = 0) {
    ASSERT_TRUE(sim.AddDevice({name, vendor, product, page, usage, failures})) << name;
  }

  // Runs DeviceArrival and returns the one message it posted (0 when none or several).
  UINT Arrive(LoadedVariant& lib) {
    lib.client->Clear();
    int posted = lib.library->device_arrival();
    lib.client->Pump(30);
    EXPECT_NE(0, posted);
    return lib.client->messages().size() == 1 ? lib.client->messages()[0].message : 0;
  }

  // Paths that got a feature report from SetKbdFeatures(page, usage), in order.
  std::vector<std::string> FeaturedPaths(LoadedVariant& lib, int page, int usage) {
    sim.ClearFeatureReports();
    BYTE report[5] = {2, 2, 0, 0, 0};
    EXPECT_EQ(1, lib.library->set_kbd_features(page, usage, report));
    std::vector<std::string> paths;
    for (const auto& sent : sim.FeatureReports()) {
      EXPECT_EQ((std::vector<BYTE>{2, 2, 0, 0, 0}), sent.bytes);
      paths.push_back(sent.path);
    }
    return paths;
  }

  // Waits until no simulated device is open any more.
  bool NothingOpen() { return WaitUntilTrue([&] { return sim.OpenNowTotal() == 0; }); }

  template <typename Condition>
  static bool WaitUntilTrue(Condition condition, DWORD timeout_ms = 10000) {
    DWORD start = GetTickCount();
    while (!condition()) {
      if (GetTickCount() - start > timeout_ms) return false;
      Sleep(10);
    }
    return true;
  }
};

TEST_F(KbdLibTable, ExportsBoundByOrdinalAreTheNamedOnes) {
  for (const Variant& variant : kVariants) {
    LoadedVariant& lib = Load(variant);
    ASSERT_TRUE(lib.library->loaded());
    HMODULE module = lib.library->module();
    EXPECT_EQ(nullptr, GetProcAddress(module, MAKEINTRESOURCEA(1)));
    const char* names[] = {"InitDriver", "SetKbdFeatures", "RemoveDevice", "ReadDevice", "DeviceArrival"};
    for (int ordinal = 2; ordinal <= 6; ++ordinal) {
      EXPECT_EQ(GetProcAddress(module, names[ordinal - 2]), GetProcAddress(module, MAKEINTRESOURCEA(ordinal)))
          << names[ordinal - 2];
    }
  }
}

TEST_F(KbdLibTable, NoInterfacesGiveOneAbsentMessageAndNothingElse) {
  for (const Variant& variant : kVariants) {
    LoadedVariant& lib = Load(variant);
    ASSERT_TRUE(lib.library->loaded());
    EXPECT_EQ(std::vector<UINT>{kAbsent}, lib.init_messages);
    EXPECT_EQ(kAbsent, Arrive(lib));
    EXPECT_EQ(1, lib.library->read_device(kPage, kPage));
    EXPECT_TRUE(FeaturedPaths(lib, kPage, kPage).empty());
    EXPECT_EQ(1, lib.library->remove_device());
    Counters counters = sim.GetCounters();
    EXPECT_EQ(counters.info_sets_created, counters.info_sets_destroyed);
  }
}

TEST_F(KbdLibTable, MixedTableIsMatchedByEachOperationsRule) {
  for (const Variant& variant : kVariants) {
    SCOPED_TRACE(variant.file);
    LoadedVariant& lib = Load(variant);
    Add("mouse", 0x046D, 0xC077, 0x0001, 0x0002);
    Add("kbd-b11", variant.vendor, 0x0B11, kPage, kPage);
    Add("kbd-b12-usage1", variant.vendor, 0x0B12, kPage, 0x0001);
    Add("kbd-b99", variant.vendor, 0x0B99, kPage, kPage);
    Add("other-vendor", variant.other_vendor, 0x0B11, kPage, kPage);
    EXPECT_EQ(kPresent, Arrive(lib));

    // Feature reports: usage page, usage and vendor; the product is never tested.
    EXPECT_EQ((std::vector<std::string>{DevicePath("kbd-b11"), DevicePath("kbd-b99")}),
              FeaturedPaths(lib, kPage, kPage));
    EXPECT_EQ(std::vector<std::string>{DevicePath("kbd-b12-usage1")}, FeaturedPaths(lib, kPage, 1));
    EXPECT_TRUE(NothingOpen()) << "a collection opened for a feature report stayed open";

    // Readers: usage page, usage, vendor and (ZOK) product.
    EXPECT_EQ(1, lib.library->read_device(kPage, kPage));
    EXPECT_TRUE(WaitUntilTrue([&] { return sim.OpenNow(DevicePath("kbd-b11")) == 1; }));
    Sleep(100);
    EXPECT_EQ(variant.any_product ? 1 : 0, sim.OpenNow(DevicePath("kbd-b99")));
    EXPECT_EQ(0, sim.OpenNow(DevicePath("kbd-b12-usage1")));
    EXPECT_EQ(0, sim.OpenNow(DevicePath("other-vendor")));
    EXPECT_EQ(0, sim.OpenNow(DevicePath("mouse")));
    // A collection being read gets its feature report through the open handle; the others
    // are opened just for the send.
    long reader_opens = sim.Opens(DevicePath("kbd-b11"));
    EXPECT_EQ((std::vector<std::string>{DevicePath("kbd-b11"), DevicePath("kbd-b99")}),
              FeaturedPaths(lib, kPage, kPage));
    EXPECT_EQ(reader_opens, sim.Opens(DevicePath("kbd-b11")));
    EXPECT_EQ(1, lib.library->remove_device());
    EXPECT_TRUE(NothingOpen());

    // DeviceArrival: usage page, vendor and (ZOK) product; the usage is not tested.
    for (const char* name : {"kbd-b11", "kbd-b99", "mouse"}) ASSERT_TRUE(sim.RemoveDevice(DevicePath(name)));
    EXPECT_EQ(kPresent, Arrive(lib)) << "the usage must not be tested on arrival";
    ASSERT_TRUE(sim.RemoveDevice(DevicePath("kbd-b12-usage1")));
    EXPECT_EQ(kAbsent, Arrive(lib)) << "another vendor matched";
    Add("kbd-b99", variant.vendor, 0x0B99, kPage, kPage);
    EXPECT_EQ(variant.any_product ? kPresent : kAbsent, Arrive(lib));
    Add("kbd-b13", variant.vendor, 0x0B13, 0x0001, 0x0006);
    EXPECT_EQ(variant.any_product ? kPresent : kAbsent, Arrive(lib)) << "another usage page matched";
    for (const char* name : {"kbd-b99", "kbd-b13", "other-vendor"}) ASSERT_TRUE(sim.RemoveDevice(DevicePath(name)));
  }
}

TEST_F(KbdLibTable, InitDriverKeepsClientAndUsagePageForLaterArrivals) {
  LoadedVariant& lib = Load(kVariants[1]);
  Add("kbd", kYevVendor, 0x0001, kPage, kPage);
  // The usage page given to InitDriver decides what DeviceArrival matches.
  ASSERT_EQ(1, lib.library->init_driver(lib.client->hwnd(), 0x500, 0x0001));
  lib.client->Pump(30);
  EXPECT_EQ(1u, lib.client->Count(kAbsent));
  EXPECT_EQ(kAbsent, Arrive(lib));
  // A client window that does not exist: the message cannot be posted and 0 is returned.
  HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  ASSERT_EQ(1, lib.library->init_driver(gone, 0x500, kPage));
  EXPECT_EQ(0, lib.library->device_arrival());
  ASSERT_EQ(1, lib.library->init_driver(lib.client->hwnd(), 0x500, kPage));
  lib.client->Pump(30);
  EXPECT_EQ(1u, lib.client->Count(kPresent));
  EXPECT_EQ(kPresent, Arrive(lib));
}

TEST_F(KbdLibTable, NotificationFiltersAndTheInterfaceRegistrationOnTheNtFamilyOnly) {
  LoadedVariant& lib = Load(kVariants[0]);
  Add("kbd", kZokVendor, 0x0B11, kPage, kPage);
  GUID hid_guid;
  HidD_GetHidGuid(&hid_guid);

  auto init_driver = [&] {
    lib.client->Clear();
    ASSERT_EQ(1, lib.library->init_driver(lib.client->hwnd(), 0x500, kPage));
    lib.client->Pump(50);
    EXPECT_EQ(1u, lib.client->Count(kPresent)) << "the keyboard is enumerated either way";
  };
  sim.SetWindows9x(true);
  init_driver();
  EXPECT_EQ(0, sim.InterfaceRegistrations()) << "a 9x-family system registers nothing";
  sim.SetWindows9x(false);
  init_driver();
  EXPECT_EQ(1, sim.InterfaceRegistrations());
  NotificationFilter interfaces = sim.LastInterfaceFilter();
  EXPECT_EQ(32u, interfaces.size);
  EXPECT_EQ(static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE), interfaces.device_type);
  EXPECT_TRUE(IsEqualGUID(hid_guid, interfaces.class_guid));
  EXPECT_EQ("CHIDKBD", interfaces.name);

  lib.library->read_device(kPage, kPage);
  EXPECT_TRUE(WaitUntilTrue([&] { return sim.OpenNow(DevicePath("kbd")) == 1; }));
  NotificationFilter handles = sim.LastHandleFilter();
  EXPECT_EQ(44u, handles.size);
  EXPECT_EQ(static_cast<DWORD>(DBT_DEVTYP_HANDLE), handles.device_type);
  lib.library->remove_device();
  EXPECT_TRUE(NothingOpen());
}

TEST_F(KbdLibTable, ElevenMatchesPostOnePresentMessageAndStartAtMostTenReaders) {
  LoadedVariant& lib = Load(kVariants[0]);
  for (int i = 0; i < 11; ++i) Add("kbd-" + std::to_string(i), kZokVendor, 0x0B11, kPage, kPage);
  EXPECT_EQ(kPresent, Arrive(lib));
  EXPECT_EQ(11u, FeaturedPaths(lib, kPage, kPage).size()) << "feature reports have no limit";
  lib.library->read_device(kPage, kPage);
  EXPECT_TRUE(WaitUntilTrue([&] { return sim.OpenNowTotal() == 10; }));
  Sleep(100);
  EXPECT_EQ(10, sim.OpenNowTotal());
  EXPECT_EQ(0, sim.OpenNow(DevicePath("kbd-10")));
  lib.library->remove_device();
  EXPECT_TRUE(NothingOpen());
}

TEST_F(KbdLibTable, FortyFirstInterfaceIsEnumeratedButGetsNoReaderSlot) {
  LoadedVariant& lib = Load(kVariants[0]);
  for (int i = 0; i < 40; ++i) Add("mouse-" + std::to_string(i), 0x046D, 0xC077, 1, 2);
  Add("kbd", kZokVendor, 0x0B12, kPage, kPage);
  EXPECT_EQ(kPresent, Arrive(lib));
  EXPECT_EQ(std::vector<std::string>{DevicePath("kbd")}, FeaturedPaths(lib, kPage, kPage));
  // Index 40 lies beyond the 30 reader slots: no reader, and nothing breaks.
  lib.library->read_device(kPage, kPage);
  Sleep(200);
  EXPECT_EQ(0, sim.OpenNow(DevicePath("kbd")));
  lib.library->remove_device();
  EXPECT_EQ(kPresent, Arrive(lib));
  Counters counters = sim.GetCounters();
  EXPECT_EQ(82, counters.preparsed_got);
  EXPECT_EQ(counters.preparsed_got, counters.preparsed_freed);
  EXPECT_TRUE(NothingOpen());
}

TEST_F(KbdLibTable, PathOf259CharactersIsAcceptedAnd260GivesAnEmptyRecord) {
  LoadedVariant& lib = Load(kVariants[0]);
  std::string prefix = DevicePath("");
  std::string name259(259 - prefix.size(), 'k');
  std::string name260(260 - prefix.size(), 'm');
  ASSERT_EQ(259u, DevicePath(name259).size());
  Add(name260, kZokVendor, 0x0B11, kPage, kPage);
  EXPECT_EQ(kAbsent, Arrive(lib));
  EXPECT_EQ(0, sim.Opens(DevicePath(name260)));
  EXPECT_TRUE(FeaturedPaths(lib, kPage, kPage).empty());
  Add(name259, kZokVendor, 0x0B11, kPage, kPage);
  EXPECT_EQ(kPresent, Arrive(lib));
  EXPECT_EQ(std::vector<std::string>{DevicePath(name259)}, FeaturedPaths(lib, kPage, kPage));
}

TEST_F(KbdLibTable, EveryInjectedFailureGivesAnEmptyRecordAndLeavesNothingOpen) {
  LoadedVariant& lib = Load(kVariants[1]);
  const std::string kbd = DevicePath("kbd");
  for (unsigned failure : {kFailOpen, kFailPreparsed, kFailAttributes, kFailCaps}) {
    SCOPED_TRACE(failure);
    Add("kbd", kYevVendor, 0x0B11, kPage, kPage, failure);
    EXPECT_EQ(kAbsent, Arrive(lib));
    EXPECT_TRUE(FeaturedPaths(lib, kPage, kPage).empty());
    EXPECT_TRUE(NothingOpen());
    Counters counters = sim.GetCounters();
    EXPECT_EQ(counters.preparsed_got, counters.preparsed_freed);
    ASSERT_TRUE(sim.SetDeviceFailures(kbd, 0));
    EXPECT_EQ(kPresent, Arrive(lib)) << "the same interface without the failure";
    ASSERT_TRUE(sim.RemoveDevice(kbd));
  }
}

TEST_F(KbdLibTable, EnumerationErrorsReleaseEverythingAndEnd) {
  LoadedVariant& lib = Load(kVariants[0]);
  Add("kbd-0", kZokVendor, 0x0B11, kPage, kPage);
  Add("kbd-1", kZokVendor, 0x0B12, kPage, kPage);
  Add("kbd-2", kZokVendor, 0x0B13, kPage, kPage);
  ASSERT_EQ(kPresent, Arrive(lib));
  long handles = CountProcessHandles();

  EnumerationFailures failures;
  failures.class_devs = true;
  sim.SetEnumerationFailures(failures);
  EXPECT_EQ(kAbsent, Arrive(lib));

  // The detail of the third interface cannot be had: the whole enumeration yields nothing and
  // the two interfaces already opened are released.
  failures = EnumerationFailures();
  failures.detail_error_from = 2;
  sim.SetEnumerationFailures(failures);
  EXPECT_EQ(kAbsent, Arrive(lib));
  EXPECT_TRUE(NothingOpen());
  Counters counters = sim.GetCounters();
  EXPECT_EQ(counters.info_sets_created, counters.info_sets_destroyed);
  EXPECT_EQ(counters.preparsed_got, counters.preparsed_freed);

  // A passing error leaves one empty entry and the walk goes on.
  failures = EnumerationFailures();
  failures.enum_error_from = 0;
  failures.enum_error_count = 2;
  sim.SetEnumerationFailures(failures);
  EXPECT_EQ(kPresent, Arrive(lib));
  EXPECT_EQ(std::vector<std::string>{DevicePath("kbd-2")}, FeaturedPaths(lib, kPage, kPage));

  // An error that never passes ends the walk instead of looping.
  failures.enum_error_from = 1;
  failures.enum_error_count = -1;
  sim.SetEnumerationFailures(failures);
  EXPECT_EQ(kPresent, Arrive(lib));
  EXPECT_EQ(std::vector<std::string>{DevicePath("kbd-0")}, FeaturedPaths(lib, kPage, kPage));

  sim.SetEnumerationFailures(EnumerationFailures());
  counters = sim.GetCounters();
  EXPECT_EQ(counters.info_sets_created, counters.info_sets_destroyed);
  EXPECT_TRUE(NothingOpen());
  EXPECT_TRUE(WaitUntilTrue([&] { return CountProcessHandles() <= handles; }))
      << CountProcessHandles() << " handles, " << handles << " before";
}

TEST_F(KbdLibTable, FiftyArrivalsLeaveTheHandleCountWhereItStarted) {
  LoadedVariant& lib = Load(kVariants[0]);
  Add("mouse", 0x046D, 0xC077, 1, 2);
  Add("kbd", kZokVendor, 0x0B11, kPage, kPage);
  Add("kbd-usage1", kZokVendor, 0x0B11, kPage, 1);
  ASSERT_EQ(kPresent, Arrive(lib));
  ASSERT_TRUE(NothingOpen());
  long handles = CountProcessHandles();
  lib.client->Clear();
  BYTE report[5] = {3, 0, 0, 0, 0};
  for (int i = 0; i < 50; ++i) {
    lib.library->device_arrival();
    lib.library->set_kbd_features(kPage, kPage, report);
  }
  EXPECT_TRUE(lib.client->PumpUntil(kPresent, 50));
  lib.client->Pump(50);
  EXPECT_EQ(50u, lib.client->messages().size());
  EXPECT_EQ(50u, lib.client->Count(kPresent));
  EXPECT_TRUE(NothingOpen());
  EXPECT_TRUE(WaitUntilTrue([&] { return CountProcessHandles() == handles; }))
      << CountProcessHandles() << " handles, " << handles << " before";
}

}  // namespace
