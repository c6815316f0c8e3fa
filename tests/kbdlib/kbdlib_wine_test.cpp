// The shipped library, with the real hid.dll and setupapi, under plain Wine: it enumerates
// Wine's own HID interfaces, matches none of them and tells the client so.
#include <gtest/gtest.h>
#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}

#include <vector>

#include "sim_library.h"

namespace {

// Vendor ids of the HID interfaces the platform lists (0 for one that cannot be queried).
std::vector<USHORT> PresentHidVendors() {
  std::vector<USHORT> vendors;
  GUID guid;
  HidD_GetHidGuid(&guid);
  HDEVINFO set = SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return vendors;
  SP_DEVICE_INTERFACE_DATA data = {};
  data.cbSize = sizeof(data);
  for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &guid, i, &data); ++i) {
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &size, nullptr);
    std::vector<char> buffer(size + 1);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
    detail->cbSize = sizeof(*detail);
    USHORT vendor = 0;
    if (SetupDiGetDeviceInterfaceDetailA(set, &data, detail, size, nullptr, nullptr)) {
      HANDLE handle = CreateFileA(detail->DevicePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
      HIDD_ATTRIBUTES attributes = {};
      attributes.Size = sizeof(attributes);
      if (handle != INVALID_HANDLE_VALUE) {
        if (HidD_GetAttributes(handle, &attributes)) vendor = attributes.VendorID;
        CloseHandle(handle);
      }
    }
    vendors.push_back(vendor);
  }
  SetupDiDestroyDeviceInfoList(set);
  return vendors;
}

TEST(ShippedKbdLib, EnumeratesWinesHidDevicesAndPostsDeviceAbsent) {
  std::vector<USHORT> vendors = PresentHidVendors();
  ASSERT_FALSE(vendors.empty()) << "Wine lists no HID interface to enumerate";
  for (USHORT vendor : vendors) {
    std::printf("HID interface of vendor 0x%04X\n", vendor);
    EXPECT_NE(0x2E5C, vendor);
  }
  kbdsim::LibraryUnderTest library(kbdsim::ExecutableFolder() + L"ZOKUSB.dll");
  ASSERT_TRUE(library.loaded());
  kbdsim::RecordingWindow client;
  ASSERT_EQ(1, library.init_driver(client.hwnd(), 0x500, 0xFF00));
  client.Pump(200);
  ASSERT_EQ(1u, client.messages().size());
  EXPECT_EQ(0x700u, client.messages()[0].message);
  // A second enumeration walks the same interfaces again and keeps to the same answer.
  client.Clear();
  EXPECT_NE(0, library.device_arrival());
  client.Pump(100);
  ASSERT_EQ(1u, client.messages().size());
  EXPECT_EQ(0x700u, client.messages()[0].message);
  EXPECT_EQ(1, library.read_device(0xFF00, 0xFF00));
  EXPECT_EQ(1, library.remove_device());
}

}  // namespace
