#include "screens/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace sg {

namespace {
constexpr int WaitMilliseconds = 500;
const char ActivationRequest[] = "raise\n";
} // namespace

SingleInstance::SingleInstance(QString key) : key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::otherIsRunning() {
    other_ = std::make_unique<QLocalSocket>();
    other_->connectToServer(key_);
    if (other_->waitForConnected(WaitMilliseconds)) return true;
    other_.reset();
    return false;
}

void SingleInstance::activateOther() {
    if (!other_) return;
    other_->write(ActivationRequest);
    other_->waitForBytesWritten(WaitMilliseconds);
    other_->disconnectFromServer();
}

void SingleInstance::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A server left behind by a program that crashed would refuse the name.
    QLocalServer::removeServer(key_);
    if (!server_->listen(key_)) return;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("raise")) emit activationRequested();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

} // namespace sg
