#include "bare_reader.h"

#include "sim_shared.h"

namespace kbdsim {

namespace {

struct ReadRecord {
  OVERLAPPED overlapped;  // first, so the completion routine finds the record
  BareReader* reader;
};

}  // namespace

BareReader::BareReader(const std::string& path, HWND window, UINT message, WPARAM index)
    : window_(window), message_(message), index_(index) {
  pipe_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (pipe_ == INVALID_HANDLE_VALUE) return;
  completions_.reserve(1 << 20);
  thread_ = CreateThread(nullptr, 0, &BareReader::ThreadMain, this, 0, nullptr);
}

BareReader::~BareReader() {
  stop_ = true;
  if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);  // ends the pending read
  if (thread_) {
    WaitForSingleObject(thread_, 5000);
    CloseHandle(thread_);
  }
}

DWORD WINAPI BareReader::ThreadMain(LPVOID self) {
  static_cast<BareReader*>(self)->Loop();
  return 0;
}

VOID CALLBACK BareReader::Completed(DWORD error, DWORD, LPOVERLAPPED overlapped) {
  BareReader* reader = reinterpret_cast<ReadRecord*>(overlapped)->reader;
  reader->read_done_ = true;
  reader->read_failed_ = error != 0;
  reader->completions_.push_back(NowMicros());
}

void BareReader::Loop() {
  BYTE buffers[2][32] = {};
  ReadRecord record = {};
  record.reader = this;
  for (unsigned pass = 0; !stop_; ++pass) {
    record.overlapped = OVERLAPPED();
    read_done_ = false;
    if (!ReadFileEx(pipe_, buffers[pass & 1], 32, &record.overlapped, &BareReader::Completed)) return;
    if (pass != 0) {
      SendMessageA(window_, message_, index_, reinterpret_cast<LPARAM>(buffers[(pass + 1) & 1]));
    }
    while (!read_done_) SleepEx(INFINITE, TRUE);
    if (read_failed_) return;
  }
}

}  // namespace kbdsim
