#include "core/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "core/brx_error.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void ThrowErrno() { throw ErrorFromErrno(errno); }

// Closes the descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, reporting the error that a delayed write may only show here.
  void Close() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) ThrowErrno();
  }

 private:
  int fd_;
};

void WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      ThrowErrno();
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
}

// The file a write must replace: a symbolic link's target, so the link stays.
fs::path ReplacedFile(const std::string& path) {
  std::error_code error;
  const fs::path resolved = fs::canonical(path, error);
  return error ? fs::path(path) : resolved;
}

// Creates a new, uniquely named file next to the target. A new file gets the
// usual permissions (0666 less the umask), a replacement those of the target.
std::pair<fs::path, int> CreateTemporaryNextTo(const fs::path& target) {
  struct stat targetStatus {};
  const bool replacing = ::stat(target.c_str(), &targetStatus) == 0;
  const mode_t mode = replacing ? (targetStatus.st_mode & 07777) : 0666;
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        folder / ("." + target.filename().string() + "." + std::to_string(entropy()) + ".tmp");
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      if (replacing) ::fchmod(fd, mode);  // the umask must not narrow a kept mode
      return {candidate, fd};
    }
    if (errno != EEXIST) ThrowErrno();
  }
  ThrowErrno();
}

// Makes the rename itself durable; a failure here loses nothing already written.
void SyncFolder(const fs::path& file) {
  fs::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

bool FileExists(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  return !error && fs::exists(status) && !fs::is_directory(status);
}

std::string ReadWholeFile(const std::string& path) {
  // Non-blocking open so that a FIFO cannot hang the reader before it is refused.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) ThrowErrno();
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0) ThrowErrno();
  if (!S_ISREG(status.st_mode)) throw MakeError(kErrPathFileAccess);
  std::string content;
  content.reserve(static_cast<std::size_t>(status.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      ThrowErrno();
    }
    content.append(buffer, static_cast<std::size_t>(got));
  }
  return content;
}

void WriteFileSafely(const std::string& path, std::string_view content) {
  if (path.empty()) throw MakeError(kErrBadFileName);
  const fs::path target = ReplacedFile(path);
  auto [temporary, rawFd] = CreateTemporaryNextTo(target);
  try {
    Descriptor fd(rawFd);
    WriteAll(fd.get(), content);
    if (::fsync(fd.get()) != 0) ThrowErrno();
    fd.Close();
    if (::rename(temporary.c_str(), target.c_str()) != 0) ThrowErrno();
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  SyncFolder(target);
}

std::optional<BrxError> TryWriteFileSafely(const std::string& path, std::string_view content) {
  try {
    WriteFileSafely(path, content);
  } catch (const BrxError& error) {
    return error;
  }
  return std::nullopt;
}
