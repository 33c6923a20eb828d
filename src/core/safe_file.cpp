#include "core/safe_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// A save's temporary file is "." + the target's name + "." + digits + ".tmp"
// in the target's folder.
constexpr const char* kTemporarySuffix = ".tmp";

std::string TemporaryPrefix(const fs::path& target) {
  return "." + target.filename().string() + ".";
}

bool IsTemporaryOf(const std::string& name, const std::string& prefix) {
  const std::string suffix = kTemporarySuffix;
  if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
      !name.ends_with(suffix)) {
    return false;
  }
  const std::string digits =
      name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

fs::path FolderOf(const fs::path& file) {
  fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// A file system without locks leaves the file unlocked; the clean-up, which
// cannot lock there either, then never takes it.
void LockExclusively(int fd) {
  while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
}

// Creates a new, uniquely named file next to the target and locks it for the
// whole save. A new file gets the usual permissions (0666 less the umask), a
// replacement those of the target.
std::pair<fs::path, int> CreateTemporaryNextTo(const fs::path& target) {
  struct stat targetStatus {};
  const bool replacing = ::stat(target.c_str(), &targetStatus) == 0;
  const mode_t mode = replacing ? (targetStatus.st_mode & 07777) : 0666;
  const fs::path folder = FolderOf(target);
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        folder / (TemporaryPrefix(target) + std::to_string(entropy()) + kTemporarySuffix);
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
      if (errno != EEXIST) ThrowErrno();
      continue;
    }
    Descriptor created(fd);
    LockExclusively(fd);
    // Another save's clean-up may have taken the file before it was locked.
    struct stat status {};
    if (::fstat(fd, &status) != 0) ThrowErrno();
    if (status.st_nlink == 0) continue;
    if (replacing) ::fchmod(fd, mode);  // the umask must not narrow a kept mode
    return {candidate, ::dup(fd)};
  }
  ThrowErrno();
}

// Removes the temporary files of earlier saves of the target whose process
// is gone: a live save holds the lock on its file. Only regular files of this
// user are taken; failures leave a file where it is.
void RemoveLeftTemporaries(const fs::path& target) {
  const std::string prefix = TemporaryPrefix(target);
  std::error_code error;
  fs::directory_iterator entries(FolderOf(target), error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    const fs::path& path = entries->path();
    if (!IsTemporaryOf(path.filename().string(), prefix)) continue;
    const Descriptor fd(
        ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    struct stat named {};
    if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        opened.st_uid != ::geteuid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      continue;
    }
    // The name must still stand for the file that was locked.
    if (::lstat(path.c_str(), &named) == 0 && named.st_ino == opened.st_ino &&
        named.st_dev == opened.st_dev) {
      ::unlink(path.c_str());
    }
  }
}

// Makes the rename itself durable; a failure here loses nothing already written.
void SyncFolder(const fs::path& file) {
  const Descriptor fd(::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

bool FileExists(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (!error) return fs::exists(status);
  return error != std::errc::no_such_file_or_directory && error != std::errc::not_a_directory;
}

BrxError NotRegularFileError() {
  BrxError error = MakeError(kErrPathFileAccess);
  error.description += " (not a regular file)";
  return error;
}

std::string ReadWholeFile(const std::string& path) {
  // Non-blocking open so that a FIFO cannot hang the reader before it is refused.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ELOOP) throw NotRegularFileError();
    ThrowErrno();
  }
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0) ThrowErrno();
  if (!S_ISREG(status.st_mode)) throw NotRegularFileError();
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
  struct stat targetStatus {};
  if (::stat(target.c_str(), &targetStatus) == 0 ? !S_ISREG(targetStatus.st_mode)
                                                 : errno == ELOOP) {
    throw NotRegularFileError();
  }
  auto [temporary, rawFd] = CreateTemporaryNextTo(target);
  // The lock stays on while this second descriptor is open, past the rename.
  const Descriptor lock(rawFd);
  try {
    Descriptor fd(::dup(lock.get()));
    if (fd.get() < 0) ThrowErrno();
    WriteAll(fd.get(), content);
    if (::fsync(fd.get()) != 0) ThrowErrno();
    fd.Close();
    if (::rename(temporary.c_str(), target.c_str()) != 0) ThrowErrno();
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  SyncFolder(target);
  RemoveLeftTemporaries(target);
}

std::optional<BrxError> TryWriteFileSafely(const std::string& path, std::string_view content) {
  try {
    WriteFileSafely(path, content);
  } catch (const BrxError& error) {
    return error;
  }
  return std::nullopt;
}
