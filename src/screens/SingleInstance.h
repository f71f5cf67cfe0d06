// One running program per user: a later start asks the first one to come forward. A local
// socket in the user's run-time folder (or the temporary folder), open to its user alone,
// carries the request.
#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <sys/types.h>

struct sockaddr_un;

namespace sg {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& key);
    ~SingleInstance() override;

    // True when another instance answers; it is then asked to come forward by activateOther().
    bool otherIsRunning();
    void activateOther();
    // Becomes the instance that later starts find.
    void listen();

  signals:
    void activationRequested();

  private:
    void acceptRequest();
    bool Bind(const sockaddr_un& address);

    std::string path_;
    ino_t inode_ = 0; // of its own socket, once listening
    int other_ = -1;  // connected to the instance found
    int server_ = -1; // listening, once this one is the instance
};

} // namespace sg
