#include "app/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

QString RuntimeFolder() {
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

constexpr int kConnectMilliseconds = 500;

}  // namespace

SingleInstance::SingleInstance() : lock_(RuntimeFolder() + QStringLiteral("/brx.lock")) {
  lock_.setStaleLockTime(0);  // a lock left by a crashed copy is taken over
}

QString SingleInstance::ServerName() const {
  return QStringLiteral("brx-") + QString::fromLocal8Bit(qgetenv("USER"));
}

bool SingleInstance::TryAcquire() {
  if (lock_.tryLock(0)) return true;
  QLocalSocket socket;
  socket.connectToServer(ServerName());
  if (socket.waitForConnected(kConnectMilliseconds)) {
    socket.write("raise");
    socket.waitForBytesWritten(kConnectMilliseconds);
  }
  return false;
}

void SingleInstance::ListenForRaise(std::function<void()> raise) {
  QLocalServer::removeServer(ServerName());
  server_ = std::make_unique<QLocalServer>();
  connect(server_.get(), &QLocalServer::newConnection, this, [this, raise] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      socket->deleteLater();
      raise();
    }
  });
  server_->listen(ServerName());
}
