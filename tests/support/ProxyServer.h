#pragma once

#include "ChildServerProcess.h"

#include <QString>
#include <QTemporaryDir>

namespace statdesk::test {

// A real HTTP proxy (tinyproxy) on a free loopback port, asking for Basic credentials.
class ProxyServer final {
  public:
    ProxyServer(const QString& user, const QString& password);

    bool start(QString& error);
    quint16 port() const { return m_port; }
    QString log() { return m_process.output(); }

  private:
    QString m_user;
    QString m_password;
    QTemporaryDir m_folder;
    quint16 m_port = 0;
    ChildServerProcess m_process;
};

} // namespace statdesk::test
