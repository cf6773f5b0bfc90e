#pragma once

#include "ChildServerProcess.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace statdesk::test {

// A real FTP server (vsftpd) on a free loopback port that takes anonymous uploads into the folder
// "upload" of a throw-away root. Log in as "anonymous" with any password.
class FtpServer final {
  public:
    FtpServer();

    bool start(QString& error);
    quint16 port() const { return m_port; }
    // Local path of a file uploaded as "upload/<name>".
    QString uploadedFile(const QString& name) const;
    QString log() { return m_process.output(); }
    // The commands the server received, in order, as its protocol log shows them.
    QStringList receivedCommands() const;

  private:
    QTemporaryDir m_folder;
    quint16 m_port = 0;
    ChildServerProcess m_process;
};

} // namespace statdesk::test
