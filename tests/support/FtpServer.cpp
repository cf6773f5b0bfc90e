#include "FtpServer.h"

#include <QDir>
#include <QFile>

namespace statdesk::test {

FtpServer::FtpServer() = default;

QString FtpServer::uploadedFile(const QString& name) const {
    return m_folder.filePath(QStringLiteral("root/upload/") + name);
}

QStringList FtpServer::receivedCommands() const {
    QFile file(m_folder.filePath(QStringLiteral("protocol.log")));
    QStringList commands;
    if (!file.open(QIODevice::ReadOnly))
        return commands;
    const QByteArray marker = "FTP command: Client \"127.0.0.1\", \"";
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype at = line.indexOf(marker);
        if (at >= 0 && line.endsWith('"'))
            commands.append(QString::fromLatin1(line.mid(at + marker.size()).chopped(1)));
    }
    return commands;
}

bool FtpServer::start(QString& error) {
    if (!m_folder.isValid()) {
        error = QStringLiteral("no temporary folder for the FTP server");
        return false;
    }
    const QDir base(m_folder.path());
    base.mkpath(QStringLiteral("root/upload"));
    base.mkpath(QStringLiteral("empty"));
    // The server drops to its unprivileged "ftp" user: the root must be readable and not writable
    // by it, the upload folder writable.
    const auto readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                          QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(m_folder.path(), readable);
    QFile::setPermissions(base.filePath(QStringLiteral("root")), readable);
    QFile::setPermissions(base.filePath(QStringLiteral("empty")), readable);
    QFile::setPermissions(base.filePath(QStringLiteral("root/upload")),
                          readable | QFile::WriteGroup | QFile::WriteOther);

    m_port = ChildServerProcess::freePort();
    const QString config = base.filePath(QStringLiteral("vsftpd.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    const QByteArray lines[] = {
        "listen=YES",
        "listen_ipv6=NO",
        "listen_address=127.0.0.1",
        "listen_port=" + QByteArray::number(m_port),
        "background=NO",
        "anonymous_enable=YES",
        "local_enable=NO",
        "write_enable=YES",
        "anon_upload_enable=YES",
        "ftp_username=ftp",
        "anon_root=" + base.filePath(QStringLiteral("root")).toLocal8Bit(),
        "secure_chroot_dir=" + base.filePath(QStringLiteral("empty")).toLocal8Bit(),
        "connect_from_port_20=NO",
        "port_enable=YES",
        "pasv_enable=NO",
        "seccomp_sandbox=NO",
        "xferlog_enable=YES",
        "xferlog_std_format=NO",
        "log_ftp_protocol=YES",
        "vsftpd_log_file=" + base.filePath(QStringLiteral("protocol.log")).toLocal8Bit(),
        "check_shell=NO",
        "anon_umask=022",
    };
    for (const QByteArray& line : lines)
        file.write(line + '\n');
    file.close();
    return m_process.start(QStringLiteral("vsftpd"), {config}, m_port, error);
}

} // namespace statdesk::test
