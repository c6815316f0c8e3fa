// The keyboard simulator's control side: the shared device list and the pipe server thread
// that plays each device's interface.
#include "kbd_simulator.h"

#include <dbt.h>
#include <stddef.h>
#include <string.h>
#include <tlhelp32.h>

#include <algorithm>
#include <deque>
#include <map>
#include <functional>
#include <mutex>
#include <set>

namespace kbdsim {

namespace {

constexpr ULONG_PTR kCommandKey = 1;
constexpr ULONG_PTR kPipeKey = 2;
// Instances of each device's pipe kept listening, so back-to-back opens find one free even
// when the server thread is slow to make the next (an open finding none fails with
// ERROR_PIPE_BUSY, which a real HID device never gives).
constexpr int kListeningPerDevice = 8;
// Room for long bursts, so a write to a client that reads slowly still completes at once.
constexpr DWORD kPipeBufferBytes = 1 << 20;

// {4D1E55B2-F16F-11CF-88CB-001111000030}, the HID interface class.
constexpr GUID kHidGuid = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

void CopyText(char* target, const std::string& text) {
  strncpy(target, text.c_str(), kMaxPathBytes - 1);
  target[kMaxPathBytes - 1] = 0;
}

// Adds `delta` to the open counters of the device (when it is still listed).
void CountOpen(const std::string& path, int delta) {
  SharedAccess access;
  if (!access.state()) return;
  int index = FindDevice(*access.state(), path.c_str());
  if (index < 0) return;
  SharedDevice& device = access.state()->devices[index];
  if (delta > 0) device.opens += delta;
  device.open_now += delta;
}

}  // namespace

InputReport Report(std::initializer_list<BYTE> bytes) {
  InputReport report = {};
  size_t i = 0;
  for (BYTE b : bytes) {
    if (i < report.size()) report[i++] = b;
  }
  return report;
}

std::string DevicePath(const std::string& name) { return kPipePrefix + name; }

// The pipe server: one thread waiting on a completion port for connections, disconnections,
// finished writes and commands from the test's threads. Only that thread touches instances.
class Simulator::Server {
 public:
  Server() {
    write_event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    port_ = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    thread_ = CreateThread(nullptr, 0, &Server::ThreadMain, this, 0, nullptr);
    // Served promptly even on a busy machine: replenishing listening instances and feeding
    // readers should not wait behind the test's own threads.
    SetThreadPriority(thread_, THREAD_PRIORITY_HIGHEST);
  }

  ~Server() {
    Run([this] {
      served_.clear();
      for (auto& instance : instances_) Close(instance.get());
      stopping_ = true;
    });
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(port_);
    CloseHandle(write_event_);
  }

  // Runs `command` on the server thread and waits for it.
  void Run(std::function<void()> command) {
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
      std::lock_guard<std::mutex> lock(commands_mutex_);
      commands_.push_back([&] {
        command();
        SetEvent(done);
      });
    }
    PostQueuedCompletionStatus(port_, 0, kCommandKey, nullptr);
    WaitForSingleObject(done, INFINITE);
    CloseHandle(done);
  }

  // Server-thread operations used by the commands.
  void StartListening(const std::string& path) {
    served_.insert(path);
    for (int i = CountListening(path); i < kListeningPerDevice; ++i) Listen(path);
  }

  void CloseAll(const std::string& path, bool listening_only) {
    served_.erase(path);
    for (auto& instance : instances_) {
      if (instance->path == path && (!listening_only || !instance->connected)) {
        Close(instance.get());
      }
    }
  }

  // Brings the device's open count up to date at once, rather than when the completions of
  // its connections and watches arrive (which may be later than the opens and closes they
  // report): a client that has connected is counted and served, one that has closed its end
  // is not counted any more, and one that opened and closed before the server looked counts
  // as opened and gone.
  void Probe(const std::string& path) {
    for (size_t i = 0; i < instances_.size(); ++i) {
      Instance* instance = instances_[i].get();
      if (instance->path != path || instance->closed) continue;
      bool alive = PeekNamedPipe(instance->pipe, nullptr, 0, nullptr, nullptr, nullptr) ||
                   GetLastError() == ERROR_IO_PENDING;
      if (instance->connected) {
        if (!alive) Gone(instance);
      } else if (alive || GetLastError() == ERROR_BROKEN_PIPE) {
        Connected(instance);  // its watch finds a client that is gone at once
      }
    }
  }

  // Clients of the device that have it open now; probes it first.
  long OpenNow(const std::string& path) {
    Probe(path);
    SharedAccess access;
    int index = access.state() ? FindDevice(*access.state(), path.c_str()) : -1;
    return index < 0 ? -1 : access.state()->devices[index].open_now;
  }

  // Writes the reports to every connected client of the device, in order, from the calling
  // thread: plain pipe writes that complete at once while the client's pipe buffer has room.
  // False for a device that is not plugged in.
  bool Write(const std::string& path, const std::vector<InputReport>& reports) {
    std::lock_guard<std::mutex> lock(clients_mutex_);
    if (!plugged_.count(path)) return false;
    auto clients = clients_.find(path);
    if (clients == clients_.end()) return true;
    for (HANDLE pipe : clients->second) {
      for (const InputReport& report : reports) {
        OVERLAPPED overlapped = {};
        // The low bit keeps the write's completion off the server's port.
        overlapped.hEvent = reinterpret_cast<HANDLE>(reinterpret_cast<ULONG_PTR>(write_event_) | 1);
        DWORD written = 0;
        if (!WriteFile(pipe, report.data(), static_cast<DWORD>(report.size()), nullptr, &overlapped) &&
            (GetLastError() != ERROR_IO_PENDING ||
             !GetOverlappedResult(pipe, &overlapped, &written, TRUE))) {
          break;  // the client is gone; the server thread notices it
        }
      }
    }
    return true;
  }

  void SetPlugged(const std::string& path, bool plugged) {
    std::lock_guard<std::mutex> lock(clients_mutex_);
    if (plugged) {
      plugged_.insert(path);
    } else {
      plugged_.erase(path);
    }
  }

 private:
  struct Instance;
  enum class OpKind { kConnect, kWatch };
  struct Op {
    OVERLAPPED overlapped = {};
    Instance* instance = nullptr;
    OpKind kind = OpKind::kConnect;
  };
  struct Instance {
    std::string path;
    HANDLE pipe = nullptr;
    bool connected = false;
    bool closed = false;
    int pending_ops = 0;
    Op connect_op, watch_op;
    BYTE watch_buffer[64] = {};
  };

  static DWORD WINAPI ThreadMain(LPVOID self) {
    static_cast<Server*>(self)->Loop();
    return 0;
  }

  void Loop() {
    for (;;) {
      DWORD bytes = 0;
      ULONG_PTR key = 0;
      OVERLAPPED* overlapped = nullptr;
      BOOL ok = GetQueuedCompletionStatus(port_, &bytes, &key, &overlapped, INFINITE);
      if (!overlapped && key == kCommandKey) {
        RunCommands();
      } else if (overlapped) {
        Op* op = CONTAINING_RECORD(overlapped, Op, overlapped);
        op->instance->pending_ops--;
        Completed(op, ok != FALSE);
      } else if (!ok) {
        return;  // the port is gone
      }
      ReleaseFinished();
      if (stopping_ && instances_.empty()) return;
    }
  }

  void RunCommands() {
    std::deque<std::function<void()>> commands;
    {
      std::lock_guard<std::mutex> lock(commands_mutex_);
      commands.swap(commands_);
    }
    for (auto& command : commands) command();
  }

  int CountListening(const std::string& path) const {
    int listening = 0;
    for (auto& instance : instances_) {
      if (instance->path == path && !instance->connected && !instance->closed) ++listening;
    }
    return listening;
  }

  void Listen(const std::string& path) {
    HANDLE pipe = CreateNamedPipeA(path.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
                                   PIPE_UNLIMITED_INSTANCES, kPipeBufferBytes, kPipeBufferBytes, 0,
                                   nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return;
    if (!CreateIoCompletionPort(pipe, port_, kPipeKey, 0)) {
      CloseHandle(pipe);
      return;
    }
    auto instance = std::make_unique<Instance>();
    instance->path = path;
    instance->pipe = pipe;
    Instance* raw = instance.get();
    instances_.push_back(std::move(instance));
    Connect(raw);
  }

  // Waits for the next client on a listening instance.
  void Connect(Instance* instance) {
    for (int attempt = 0; attempt < 8; ++attempt) {
      instance->connect_op = Op{{}, instance, OpKind::kConnect};
      if (ConnectNamedPipe(instance->pipe, &instance->connect_op.overlapped)) {
        instance->pending_ops++;  // completed at once; its packet still arrives
        return;
      }
      DWORD error = GetLastError();
      if (error == ERROR_IO_PENDING) {
        instance->pending_ops++;
        return;
      }
      if (error == ERROR_PIPE_CONNECTED) {
        Connected(instance);
        return;
      }
      if (error != ERROR_NO_DATA) break;
      // A client opened and closed the pipe before the server looked: count the open and
      // make the instance listen again.
      CountOpen(instance->path, +1);
      CountOpen(instance->path, -1);
      DisconnectNamedPipe(instance->pipe);
    }
    Close(instance);
  }

  // Brings a served device back to its number of listening instances.
  void Replenish(const std::string& path) {
    if (served_.count(path)) StartListening(path);
  }

  void Connected(Instance* instance) {
    instance->connected = true;
    CountOpen(instance->path, +1);
    {
      std::lock_guard<std::mutex> lock(clients_mutex_);
      clients_[instance->path].push_back(instance->pipe);
    }
    std::string path = instance->path;
    Watch(instance);
    Replenish(path);  // keep the device's listening instances available
  }

  // A read that only ends when the client goes (clients never write to the pipe).
  void Watch(Instance* instance) {
    instance->watch_op = Op{{}, instance, OpKind::kWatch};
    if (ReadFile(instance->pipe, instance->watch_buffer, sizeof(instance->watch_buffer), nullptr,
                 &instance->watch_op.overlapped) ||
        GetLastError() == ERROR_IO_PENDING) {
      instance->pending_ops++;
    } else {
      Gone(instance);
    }
  }

  void Completed(Op* op, bool ok) {
    Instance* instance = op->instance;
    switch (op->kind) {
      case OpKind::kConnect:
        if (instance->closed || instance->connected) return;  // a probe took note of it
        if (ok) {
          Connected(instance);
        } else {
          Close(instance);
          Replenish(instance->path);
        }
        break;
      case OpKind::kWatch:
        if (ok && !instance->closed) {
          Watch(instance);  // the client wrote something: ignore it and watch on
        } else {
          Gone(instance);
        }
        break;
    }
  }

  // The client closed its handle (or the device was unplugged).
  void Gone(Instance* instance) {
    if (instance->connected) {
      instance->connected = false;
      CountOpen(instance->path, -1);
    }
    Close(instance);
    Replenish(instance->path);
  }

  void Close(Instance* instance) {
    if (instance->connected) {
      instance->connected = false;
      CountOpen(instance->path, -1);
    }
    if (instance->closed) return;
    instance->closed = true;
    {
      std::lock_guard<std::mutex> lock(clients_mutex_);
      auto& pipes = clients_[instance->path];
      pipes.erase(std::remove(pipes.begin(), pipes.end(), instance->pipe), pipes.end());
      CloseHandle(instance->pipe);  // pending operations complete as aborted
    }
  }

  void ReleaseFinished() {
    for (size_t i = 0; i < instances_.size();) {
      if (instances_[i]->closed && instances_[i]->pending_ops == 0) {
        instances_.erase(instances_.begin() + i);
      } else {
        ++i;
      }
    }
  }

  HANDLE port_ = nullptr;
  HANDLE thread_ = nullptr;
  bool stopping_ = false;
  std::mutex commands_mutex_;
  std::deque<std::function<void()>> commands_;
  std::vector<std::unique_ptr<Instance>> instances_;
  std::set<std::string> served_;  // devices whose pipes are listened on
  // Connected pipes by device path, for the writes from the test's threads.
  std::mutex clients_mutex_;
  std::map<std::string, std::vector<HANDLE>> clients_;
  std::set<std::string> plugged_;  // devices in the list, served or not
  HANDLE write_event_ = nullptr;
};

Simulator::Simulator() {
  {
    SharedAccess access(true);
    if (access.state()) {
      memset(access.state(), 0, sizeof(SharedState));
      access.state()->enum_error_from = -1;
      access.state()->detail_error_from = -1;
    }
  }
  server_ = std::make_unique<Server>();
}

Simulator::~Simulator() {
  server_.reset();
  SharedAccess access;
  if (access.state()) {
    access.state()->device_count = 0;
    access.state()->hold_reads = 0;  // a read still held would wait for good
  }
}

bool Simulator::AddDevice(const DeviceSpec& wanted) {
  std::string path = DevicePath(wanted.name);
  {
    SharedAccess access;
    SharedState* state = access.state();
    if (!state || state->device_count >= kMaxDevices || path.size() >= kMaxPathBytes ||
        FindDevice(*state, path.c_str()) >= 0) {
      return false;
    }
    SharedDevice& device = state->devices[state->device_count++];
    memset(&device, 0, sizeof(device));
    CopyText(device.path, path);
    device.vendor_id = wanted.vendor_id;
    device.product_id = wanted.product_id;
    device.usage_page = wanted.usage_page;
    device.usage = wanted.usage;
    device.failures = static_cast<LONG>(wanted.failures);
  }
  server_->SetPlugged(path, true);
  if (!(wanted.failures & kFailOpen)) server_->Run([&] { server_->StartListening(path); });
  return true;
}

bool Simulator::RemoveDevice(const std::string& path) {
  {
    SharedAccess access;
    SharedState* state = access.state();
    int index = state ? FindDevice(*state, path.c_str()) : -1;
    if (index < 0) return false;
    memmove(&state->devices[index], &state->devices[index + 1],
            sizeof(SharedDevice) * (state->device_count - index - 1));
    state->device_count--;
  }
  server_->SetPlugged(path, false);
  server_->Run([&] { server_->CloseAll(path, false); });
  return true;
}

bool Simulator::SetDeviceFailures(const std::string& path, unsigned failures) {
  {
    SharedAccess access;
    SharedState* state = access.state();
    int index = state ? FindDevice(*state, path.c_str()) : -1;
    if (index < 0) return false;
    state->devices[index].failures = static_cast<LONG>(failures);
  }
  server_->Run([&] {
    if (failures & kFailOpen) {
      server_->CloseAll(path, true);
    } else {
      server_->StartListening(path);
    }
  });
  return true;
}

void Simulator::SetEnumerationFailures(const EnumerationFailures& failures) {
  SharedAccess access;
  if (!access.state()) return;
  access.state()->fail_class_devs = failures.class_devs;
  access.state()->enum_error_from = failures.enum_error_from;
  access.state()->enum_error_count = failures.enum_error_count;
  access.state()->detail_error_from = failures.detail_error_from;
}

bool Simulator::WriteReport(const std::string& path, const InputReport& report) {
  return WriteReports(path, {report});
}

bool Simulator::WriteReports(const std::string& path, const std::vector<InputReport>& burst) {
  return server_->Write(path, burst);
}

long Simulator::Opens(const std::string& path) {
  SharedAccess access;
  int index = access.state() ? FindDevice(*access.state(), path.c_str()) : -1;
  return index < 0 ? -1 : access.state()->devices[index].opens;
}

long Simulator::OpenNow(const std::string& path) {
  long count = -1;
  server_->Run([&] { count = server_->OpenNow(path); });
  return count;
}

long Simulator::HandleNotifications(const std::string& path) {
  SharedAccess access;
  int index = access.state() ? FindDevice(*access.state(), path.c_str()) : -1;
  return index < 0 ? -1 : access.state()->devices[index].handle_notifications;
}

long Simulator::OpenNowTotal() {
  std::vector<std::string> paths;
  {
    SharedAccess access;
    for (int i = 0; access.state() && i < access.state()->device_count; ++i)
      paths.push_back(access.state()->devices[i].path);
  }
  long total = 0;
  server_->Run([&] {
    for (const auto& path : paths) total += std::max(0L, server_->OpenNow(path));
  });
  return total;
}

bool Simulator::WaitForOpen(const std::string& path, long count, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  while (OpenNow(path) != count) {
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(5);
  }
  return true;
}

Counters Simulator::GetCounters() {
  SharedAccess access;
  Counters counters;
  if (SharedState* state = access.state()) {
    counters.info_sets_created = state->info_sets_created;
    counters.info_sets_destroyed = state->info_sets_destroyed;
    counters.preparsed_got = state->preparsed_got;
    counters.preparsed_freed = state->preparsed_freed;
  }
  return counters;
}

std::vector<FeatureReport> Simulator::FeatureReports() {
  SharedAccess access;
  std::vector<FeatureReport> reports;
  if (SharedState* state = access.state()) {
    int count = state->feature_count < kFeatureLogCapacity ? state->feature_count : kFeatureLogCapacity;
    for (int i = 0; i < count; ++i) {
      const SharedFeatureReport& entry = state->features[i];
      if (entry.kind != kCallFeature) continue;
      ULONG kept = entry.length < kMaxFeatureBytes ? entry.length : kMaxFeatureBytes;
      reports.push_back({entry.path, entry.micros,
                         std::vector<BYTE>(entry.bytes, entry.bytes + kept), entry.succeeded != 0});
    }
  }
  return reports;
}

void Simulator::ClearFeatureReports() {
  SharedAccess access;
  if (access.state()) access.state()->feature_count = 0;
}

std::vector<std::string> Simulator::CallsOn(const std::string& path) {
  SharedAccess access;
  std::vector<std::string> calls;
  SharedState* state = access.state();
  int count = !state ? 0 : std::min<int>(state->feature_count, kFeatureLogCapacity);
  for (int i = 0; i < count; ++i) {
    const SharedFeatureReport& entry = state->features[i];
    if (lstrcmpiA(entry.path, path.c_str()) != 0) continue;
    if (entry.kind == kCallReader) {
      calls.push_back("reader");
    } else {
      calls.push_back("feature " + std::to_string(entry.bytes[0]) + " " +
                      std::to_string(entry.bytes[1]));
    }
  }
  return calls;
}

namespace {

NotificationFilter FilterOf(const SharedFilter& kept) {
  NotificationFilter filter;
  filter.size = kept.size;
  filter.device_type = kept.device_type;
  filter.class_guid = kept.class_guid;
  filter.name.assign(kept.name, strnlen(kept.name, sizeof kept.name));
  return filter;
}

}  // namespace

long Simulator::InterfaceRegistrations() {
  SharedAccess access;
  return access.state() ? access.state()->interface_registrations : -1;
}

long Simulator::InterfaceNotifications() {
  SharedAccess access;
  return access.state() ? access.state()->interface_notifications : -1;
}

NotificationFilter Simulator::LastInterfaceFilter() {
  SharedAccess access;
  return access.state() ? FilterOf(access.state()->interface_filter) : NotificationFilter();
}

NotificationFilter Simulator::LastHandleFilter() {
  SharedAccess access;
  return access.state() ? FilterOf(access.state()->handle_filter) : NotificationFilter();
}

void Simulator::HoldReads(bool hold) {
  SharedAccess access;
  if (access.state()) InterlockedExchange(&access.state()->hold_reads, hold ? 1 : 0);
}

long Simulator::ReadsHeld() {
  SharedAccess access;
  return access.state() ? access.state()->reads_held : -1;
}

void Simulator::SetWindows9x(bool windows_9x) {
  SharedAccess access;
  if (access.state()) access.state()->windows_9x = windows_9x ? 1 : 0;
}

long CountProcessHandles() {
  long count = 0;
  for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
    DWORD flags;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
  }
  return count;
}

long CountProcessThreads() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  long count = 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

LRESULT SendInterfaceNotification(HWND window, WPARAM event, const std::string& path, bool wide) {
  std::vector<BYTE> record;
  if (wide) {
    std::wstring name(path.begin(), path.end());
    size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (name.size() + 1) * sizeof(WCHAR);
    record.assign(size, 0);
    auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(record.data());
    header->dbcc_size = static_cast<DWORD>(size);
    header->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    header->dbcc_classguid = kHidGuid;
    memcpy(header->dbcc_name, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
  } else {
    size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + path.size() + 1;
    record.assign(size, 0);
    auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(record.data());
    header->dbcc_size = static_cast<DWORD>(size);
    header->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    header->dbcc_classguid = kHidGuid;
    memcpy(header->dbcc_name, path.c_str(), path.size() + 1);
  }
  return SendMessageA(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record.data()));
}

}  // namespace kbdsim
