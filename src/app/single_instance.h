#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

// Keeps one interactive copy of the program per user: a lock file and a
// local socket in a folder only the user can enter. A later copy asks the
// running one, through the socket, to come to the front or to open a job.
//
// A request is one line: empty (come to the front) or the absolute path of a
// regular file, at most kMaxHandOverPath bytes, ended by a line feed, and
// nothing after it. Anything else is dropped without effect.
class SingleInstance : public QObject {
 public:
  static constexpr int kMaxHandOverPath = 2048;

  // The user's runtime folder ($XDG_RUNTIME_DIR when it is a folder of the
  // user's that no one else may enter), else a folder of mode 700 of the
  // user's in the temporary folder; empty when neither can be had.
  static QString PrivateFolder();

  explicit SingleInstance(const QString& folder = PrivateFolder());

  // True when this copy holds the lock, or when there is no private folder
  // to guard with.
  bool TryAcquire();
  // Asks the running copy to come to the front (an empty path) or to open
  // the job of `path`. False when no running copy answered.
  bool HandOver(const std::string& path) const;
  // Calls `handOver` with each well-formed request of a later copy: an empty
  // text to come to the front, else the path of a regular file.
  void ListenForHandOver(std::function<void(const std::string&)> handOver);

  QString SocketPath() const { return folder_ + QStringLiteral("/brx.socket"); }

 private:
  QString folder_;
  QLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
};
