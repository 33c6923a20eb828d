#pragma once

#include <chrono>
#include <string>

class ProgressView;

// How long a cutting run waits for another run to release its stock file.
inline constexpr std::chrono::milliseconds kStockLockWait{30000};

// The exclusive hold a cutting run keeps on its stock file from the read that
// starts the run to the write that subtracts the bars it used, so that two
// runs on one file never lose a subtraction. It is an advisory lock (flock) on
// a lock file beside the stock file, ".NAME.lock": the system releases it when
// the holding process ends, however it ends, so a dead run never blocks the
// next one, and the lock file left behind means nothing by itself.
class StockFileLock {
 public:
  StockFileLock() = default;
  ~StockFileLock();
  StockFileLock(const StockFileLock&) = delete;
  StockFileLock& operator=(const StockFileLock&) = delete;

  // Takes the lock for the stock file at `stockPath`, trying again until
  // `wait` has passed and letting window events run meanwhile. False when
  // another run held it all that time. Where no lock file can be made (no
  // name, a read-only folder: no run could write the stock file there either)
  // the run goes on without one.
  bool Acquire(const std::string& stockPath, std::chrono::milliseconds wait,
               ProgressView& frontend);

 private:
  int fd_ = -1;
};

// Why a run did not start: another run holds the stock file.
std::string StockInUseText(const std::string& stockPath);
