#include "optimizer/stock_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <thread>

#include "core/frontend.h"

namespace fs = std::filesystem;

namespace {

constexpr std::chrono::milliseconds kRetryInterval{20};

// The lock file beside the file the stock path names: a symbolic link is
// followed, so every path to one file shares one lock.
fs::path LockFileFor(const std::string& stockPath) {
  std::error_code error;
  fs::path file = fs::weakly_canonical(stockPath, error);
  if (error) file = fs::absolute(stockPath, error).lexically_normal();
  return file.parent_path() / ("." + file.filename().string() + ".lock");
}

}  // namespace

StockFileLock::~StockFileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

bool StockFileLock::Acquire(const std::string& stockPath, std::chrono::milliseconds wait,
                            ProgressView& frontend) {
  if (stockPath.empty() || fd_ >= 0) return true;
  const fs::path lockFile = LockFileFor(stockPath);
  const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) return true;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      fd_ = fd;
      return true;
    }
    const int failure = errno;
    if (failure == EINTR) continue;
    if (failure != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      // A file system without locks cannot hold this run back.
      return failure != EWOULDBLOCK;
    }
    frontend.PumpEvents();
    std::this_thread::sleep_for(kRetryInterval);
  }
}

std::string StockInUseText(const std::string& stockPath) {
  return "the stock file " + stockPath + " is in use by another cutting run";
}
