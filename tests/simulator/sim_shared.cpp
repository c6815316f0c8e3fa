#include "sim_shared.h"

#include <string.h>

namespace kbdsim {

namespace {

constexpr char kMappingName[] = "ZokKbdSimulatorState";
constexpr char kMutexName[] = "ZokKbdSimulatorLock";

// The mapping stays mapped for the life of the process once found.
SharedState* MappedState(bool create) {
  static SharedState* mapped = nullptr;
  if (mapped) return mapped;
  HANDLE mapping = create ? CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                               sizeof(SharedState), kMappingName)
                          : OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kMappingName);
  if (!mapping) return nullptr;
  // The handle stays open for the life of the process: a view alone does not keep the
  // mapping's name alive under Wine.
  mapped = static_cast<SharedState*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!mapped) CloseHandle(mapping);
  return mapped;
}

HANDLE SharedMutex() {
  static HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
  return mutex;
}

}  // namespace

SharedAccess::SharedAccess(bool create) {
  mutex_ = SharedMutex();
  if (mutex_) WaitForSingleObject(mutex_, INFINITE);
  state_ = MappedState(create);
}

SharedAccess::~SharedAccess() {
  if (mutex_) ReleaseMutex(mutex_);
}

SharedState* UnlockedState() { return MappedState(false); }

long long NowMicros() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart / frequency.QuadPart * 1000000 +
         now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

int FindDevice(const SharedState& state, const char* path) {
  for (int i = 0; i < state.device_count; ++i) {
    if (lstrcmpiA(state.devices[i].path, path) == 0) return i;
  }
  return -1;
}

}  // namespace kbdsim
