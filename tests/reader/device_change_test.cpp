// Reading WM_DEVICECHANGE notifications: which events are acted on, and the interface name of
// a removal, kept within the notification's own size.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <cstddef>
#include <vector>

#include "device_change.h"

namespace {

constexpr size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);

// A device-interface notification holding `name_bytes` as its name field; its size field is
// `size` (the record's own length when 0). Extra non-zero bytes follow the record in memory.
std::vector<BYTE> InterfaceRecord(const std::vector<BYTE>& name_bytes, DWORD size = 0) {
  std::vector<BYTE> record(kNameOffset + name_bytes.size() + 8, 'Z');
  auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(record.data());
  header->dbch_size = size ? size : static_cast<DWORD>(kNameOffset + name_bytes.size());
  header->dbch_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  header->dbch_reserved = 0;
  std::copy(name_bytes.begin(), name_bytes.end(), record.begin() + kNameOffset);
  return record;
}

std::vector<BYTE> Ansi(const std::string& text, bool terminated = true) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  if (terminated) bytes.push_back(0);
  return bytes;
}

std::vector<BYTE> Wide(const std::string& text, bool terminated = true) {
  std::vector<BYTE> bytes;
  for (char c : text) {
    bytes.push_back(static_cast<BYTE>(c));
    bytes.push_back(0);
  }
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

LPARAM At(std::vector<BYTE>& record) { return reinterpret_cast<LPARAM>(record.data()); }

TEST(DeviceChange, EventsActedOnAndWhenLParamIsRead) {
  auto record = InterfaceRecord(Ansi("\\\\?\\hid#x"));
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEARRIVAL, At(record), false).kind,
            DeviceChangeKind::kInterfaceArrival);
  // Only the low 16 bits of wParam name the event.
  EXPECT_EQ(ReadDeviceChange(0x10000 | DBT_DEVICEARRIVAL, At(record), false).kind,
            DeviceChangeKind::kInterfaceArrival);
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(record), false).kind,
            DeviceChangeKind::kInterfaceRemoved);

  // Query-remove acts whatever it carries, and never needs to look.
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEQUERYREMOVE, 0, false).kind, DeviceChangeKind::kQueryRemove);

  // Without a notification, or with one of another device type: nothing. Events that carry
  // no notification are never read (0x10 is not readable memory).
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEARRIVAL, 0, false).kind, DeviceChangeKind::kOther);
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, 0, true).kind, DeviceChangeKind::kOther);
  EXPECT_EQ(ReadDeviceChange(DBT_DEVNODES_CHANGED, 0x10, false).kind, DeviceChangeKind::kOther);
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEQUERYREMOVEFAILED, 0x10, false).kind,
            DeviceChangeKind::kOther);
  DEV_BROADCAST_HANDLE handle = {};
  handle.dbch_size = sizeof handle;
  handle.dbch_devicetype = DBT_DEVTYP_HANDLE;
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&handle), false).kind,
            DeviceChangeKind::kOther);
  EXPECT_EQ(
      ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&handle), false).kind,
      DeviceChangeKind::kOther);

  // A size smaller than the header, or than the start of the name: nothing to act on.
  auto tiny = InterfaceRecord(Ansi("a"), 8);
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEARRIVAL, At(tiny), false).kind, DeviceChangeKind::kOther);
  auto nameless = InterfaceRecord(Ansi("a"), kNameOffset - 4);
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(nameless), false).kind,
            DeviceChangeKind::kOther);
}

TEST(DeviceChange, RemovedInterfaceNameStaysWithinTheNotification) {
  const std::string path = "\\\\?\\hid#vid_2e5c&pid_0b11#7&1a2b&0&0000#{4d1e55b2}";

  // 8-bit and UTF-16 names, terminated.
  auto ansi = InterfaceRecord(Ansi(path));
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(ansi), false).interface_name, path);
  auto wide = InterfaceRecord(Wide(path));
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(wide), true).interface_name, path);

  // Without a terminator the name ends where the notification ends, not at the bytes after.
  auto open_ansi = InterfaceRecord(Ansi(path, false));
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(open_ansi), false).interface_name, path);
  auto open_wide = InterfaceRecord(Wide(path, false));
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(open_wide), true).interface_name, path);

  // A size that cuts the name short cuts the name read.
  auto cut = InterfaceRecord(Ansi(path), static_cast<DWORD>(kNameOffset + 6));
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(cut), false).interface_name,
            path.substr(0, 6));
  auto cut_wide = InterfaceRecord(Wide(path), static_cast<DWORD>(kNameOffset + 7));
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(cut_wide), true).interface_name,
            path.substr(0, 3));

  // An empty name field.
  auto empty = InterfaceRecord({}, static_cast<DWORD>(kNameOffset));
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(empty), true).interface_name, "");
  EXPECT_EQ(ReadDeviceChange(DBT_DEVICEREMOVECOMPLETE, At(empty), true).kind,
            DeviceChangeKind::kInterfaceRemoved);
}

}  // namespace
