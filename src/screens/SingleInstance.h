// One running program per user: a later start asks the first one to come forward.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;

namespace sg {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(QString key);
    ~SingleInstance() override;

    // True when another instance answers; it is then asked to come forward by activateOther().
    bool otherIsRunning();
    void activateOther();
    // Becomes the instance that later starts find.
    void listen();

  signals:
    void activationRequested();

  private:
    QString key_;
    std::unique_ptr<QLocalSocket> other_;
    QLocalServer* server_ = nullptr;
};

} // namespace sg
