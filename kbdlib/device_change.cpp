#include "device_change.h"

#include <dbt.h>

#include <cstddef>
#include <vector>

namespace {

constexpr size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);

// The notification's header when lparam points at a device-interface notification whose
// size covers at least the header; nullptr otherwise.
const DEV_BROADCAST_HDR* InterfaceHeader(LPARAM lparam) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lparam);
  if (!header || header->dbch_size < sizeof(DEV_BROADCAST_HDR)) return nullptr;
  if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return nullptr;
  return header;
}

std::string AnsiName(const DEV_BROADCAST_HDR* header) {
  const char* name = reinterpret_cast<const char*>(header) + kNameOffset;
  size_t room = header->dbch_size - kNameOffset;
  size_t length = 0;
  while (length < room && name[length]) ++length;
  return std::string(name, length);
}

std::string WideNameAsAnsi(const DEV_BROADCAST_HDR* header) {
  const auto* name =
      reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(header) + kNameOffset);
  size_t room = (header->dbch_size - kNameOffset) / sizeof(wchar_t);
  size_t length = 0;
  while (length < room && name[length]) ++length;
  if (length == 0) return std::string();
  // Two bytes per character hold any ANSI code page's conversion.
  std::vector<char> converted(2 * (length + 1));
  int written = WideCharToMultiByte(CP_ACP, 0, name, static_cast<int>(length), converted.data(),
                                    static_cast<int>(converted.size()), nullptr, nullptr);
  if (written <= 0) return std::string();
  return std::string(converted.data(), static_cast<size_t>(written));
}

}  // namespace

DeviceChange ReadDeviceChange(WPARAM wparam, LPARAM lparam, bool wide_names) {
  DeviceChange change;
  switch (LOWORD(wparam)) {
    case DBT_DEVICEQUERYREMOVE:
      change.kind = DeviceChangeKind::kQueryRemove;
      break;
    case DBT_DEVICEARRIVAL:
      if (InterfaceHeader(lparam)) change.kind = DeviceChangeKind::kInterfaceArrival;
      break;
    case DBT_DEVICEREMOVECOMPLETE:
      if (const DEV_BROADCAST_HDR* header = InterfaceHeader(lparam);
          header && header->dbch_size >= kNameOffset) {
        change.kind = DeviceChangeKind::kInterfaceRemoved;
        change.interface_name = wide_names ? WideNameAsAnsi(header) : AnsiName(header);
      }
      break;
    default:
      break;
  }
  return change;
}
