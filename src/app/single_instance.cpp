#include "app/single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>
#include <optional>

namespace {

constexpr int kConnectMilliseconds = 500;
// A sender that neither finishes nor closes is cut off.
constexpr int kRequestMilliseconds = 2000;

// A real folder (not a link) of this user's that no one else may enter.
bool IsPrivateFolder(const QString& path) {
  struct stat info {};
  if (path.isEmpty() || lstat(QFile::encodeName(path).constData(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

// The path a request names, or nullopt when the request is not well formed:
// one line, ended by a line feed, empty or an absolute path to a regular file.
std::optional<std::string> RequestedPath(const QByteArray& request) {
  if (request.size() > SingleInstance::kMaxHandOverPath + 1 || !request.endsWith('\n')) {
    return std::nullopt;
  }
  const QByteArray line = request.chopped(1);
  for (const char c : line) {
    if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
  }
  if (line.isEmpty()) return std::string();
  if (!line.startsWith('/') || !QFileInfo(QFile::decodeName(line)).isFile()) return std::nullopt;
  return line.toStdString();
}

}  // namespace

QString SingleInstance::PrivateFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (IsPrivateFolder(runtime)) return runtime;
  const QString fallback = QDir::tempPath() + QStringLiteral("/brx-") + QString::number(getuid());
  mkdir(QFile::encodeName(fallback).constData(), 0700);  // kept when it exists
  return IsPrivateFolder(fallback) ? fallback : QString();
}

SingleInstance::SingleInstance(const QString& folder)
    : folder_(folder), lock_(folder + QStringLiteral("/brx.lock")) {
  lock_.setStaleLockTime(0);  // a lock left by a crashed copy is taken over
}

bool SingleInstance::TryAcquire() { return folder_.isEmpty() || lock_.tryLock(0); }

bool SingleInstance::HandOver(const std::string& path) const {
  if (folder_.isEmpty()) return false;
  QLocalSocket socket;
  socket.connectToServer(SocketPath());
  if (!socket.waitForConnected(kConnectMilliseconds)) return false;
  socket.write(QByteArray::fromStdString(path + '\n'));
  const bool written = socket.waitForBytesWritten(kConnectMilliseconds);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) {
    socket.waitForDisconnected(kConnectMilliseconds);
  }
  return written;
}

void SingleInstance::ListenForHandOver(std::function<void(const std::string&)> handOver) {
  if (folder_.isEmpty()) return;
  QLocalServer::removeServer(SocketPath());
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_.get(), &QLocalServer::newConnection, this, [this, handOver] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      auto request = std::make_shared<QByteArray>();
      connect(socket, &QLocalSocket::readyRead, socket, [socket, request] {
        request->append(socket->readAll());
        if (request->size() > kMaxHandOverPath + 1) socket->abort();  // dropped
      });
      // The request counts once the sender has closed: nothing may follow it.
      connect(socket, &QLocalSocket::disconnected, this, [socket, request, handOver] {
        request->append(socket->readAll());
        socket->deleteLater();
        if (const auto path = RequestedPath(*request)) handOver(*path);
      });
      QTimer::singleShot(kRequestMilliseconds, socket, [socket, request] {
        request->clear();
        socket->abort();
      });
    }
  });
  server_->listen(SocketPath());
}
