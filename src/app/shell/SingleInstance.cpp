#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

namespace zidezo::app {

namespace {
constexpr int kWaitMilliseconds = 1000;
const QByteArray kShowRequest = "show\n";
}  // namespace

TSingleInstance::TSingleInstance(const QString& data_root, QObject* parent)
    : QObject(parent), data_root_(QDir(data_root).absolutePath()) {}

TSingleInstance::~TSingleInstance() {
  if (server_) server_->close();
  if (lock_) lock_->unlock();
}

QString TSingleInstance::ServerName(const QString& data_root) {
  const QByteArray root = QDir(data_root).absolutePath().toUtf8();
  return "zidezo-" + QCryptographicHash::hash(root, QCryptographicHash::Sha1).toHex().left(16);
}

bool TSingleInstance::Acquire() {
  QDir().mkpath(data_root_);
  lock_ = std::make_unique<QLockFile>(QDir(data_root_).filePath("zidezo.lock"));
  // A lock left by a copy that died is taken over (QLockFile checks its process).
  if (!lock_->tryLock(0)) {
    lock_.reset();
    AskRunningCopy();
    return false;
  }
  server_ = std::make_unique<QLocalServer>();
  const QString name = ServerName(data_root_);
  QLocalServer::removeServer(name);  // a socket file left by a crash
  server_->listen(name);
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
      connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
        if (peer->readAll().contains("show")) emit showRequested();
        peer->disconnectFromServer();
      });
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
  return true;
}

void TSingleInstance::AskRunningCopy() {
  QLocalSocket socket;
  socket.connectToServer(ServerName(data_root_));
  if (!socket.waitForConnected(kWaitMilliseconds)) return;
  socket.write(kShowRequest);
  socket.waitForBytesWritten(kWaitMilliseconds);
  socket.disconnectFromServer();
}

}  // namespace zidezo::app
