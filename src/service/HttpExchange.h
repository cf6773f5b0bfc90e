#pragma once

#include "HttpReplyParser.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QEventLoop;
class QTcpSocket;

namespace statdesk {

// One request and its reply over one connection, waited for in a nested event loop.
class HttpExchange final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HttpExchange)

  public:
    struct Outcome {
        bool failed = false;
        int statusCode = 0;
        QString reason;
        QString location;
        QByteArray body;
    };

    HttpExchange(QByteArray host, int port, QByteArray request, int inactivityLimitMs);
    ~HttpExchange() override;

    Outcome run();
    void abort();

  private:
    void onConnected();
    void onReadyRead();
    void onDisconnected();
    void onError();
    void onSilence();
    void fail(int statusCode, const QString& reason);
    void failAsParsed();
    void finish();

    QByteArray m_host;
    int m_port;
    QByteArray m_request;
    int m_inactivityLimitMs;
    QTcpSocket* m_socket;
    QTimer m_silence;
    QEventLoop* m_loop = nullptr;
    HttpReplyParser m_parser;
    bool m_connected = false;
    bool m_done = false;
    Outcome m_outcome;
};

} // namespace statdesk
