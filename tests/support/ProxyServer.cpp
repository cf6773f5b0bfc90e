#include "ProxyServer.h"

#include <QFile>

namespace statdesk::test {

ProxyServer::ProxyServer(const QString& user, const QString& password) : m_user(user), m_password(password) {}

bool ProxyServer::start(QString& error) {
    if (!m_folder.isValid()) {
        error = QStringLiteral("no temporary folder for the proxy");
        return false;
    }
    m_port = ChildServerProcess::freePort();
    const QString config = m_folder.filePath(QStringLiteral("proxy.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    file.write("Port " + QByteArray::number(m_port) + "\n" + "Listen 127.0.0.1\n" + "Timeout 30\n" +
               "MaxClients 20\n" + "Allow 127.0.0.1\n" + "DisableViaHeader Yes\n" + "LogLevel Info\n" +
               "BasicAuth " + m_user.toLatin1() + " " + m_password.toLatin1() + "\n");
    file.close();
    // -d keeps it in the foreground, a child of the test.
    return m_process.start(QStringLiteral("tinyproxy"), {QStringLiteral("-d"), QStringLiteral("-c"), config},
                           m_port, error);
}

} // namespace statdesk::test
