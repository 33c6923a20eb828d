#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <functional>
#include <memory>

// Keeps one interactive copy of the program per user: a lock file in the
// runtime folder, and a local server the running copy listens on so that a
// second copy can ask it to bring its window to the front.
class SingleInstance : public QObject {
 public:
  SingleInstance();

  // True when this copy holds the lock. Otherwise asks the running copy to
  // show its window.
  bool TryAcquire();
  // Calls `raise` whenever a later copy asks for the window.
  void ListenForRaise(std::function<void()> raise);

 private:
  QString ServerName() const;

  QLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
};
