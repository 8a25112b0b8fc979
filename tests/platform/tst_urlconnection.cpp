#include "platform/UrlConnection.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

// An HTTP server on 127.0.0.1: keeps what it was sent and answers with prepared bytes, at once or in
// pieces, or stays silent.
class TestServer : public QObject {
public:
    QByteArray answer;
    bool silent = false;
    int firstDelayMs = 0;
    int pieceSize = 0; // 0: the whole answer in one piece
    int pieceIntervalMs = 0;
    QByteArray received;

    TestServer() {
        QVERIFY(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onRequestBytes(socket); });
        });
    }

    QUrl url(const QString& path = QStringLiteral("/Feed5/Korvo.asmx")) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }

    static QByteArray httpAnswer(int status, const QByteArray& body) {
        return "HTTP/1.1 " + QByteArray::number(status) +
               " Status\r\nContent-Type: text/xml; charset=utf-8\r\n" +
               "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

private:
    void onRequestBytes(QTcpSocket* socket) {
        received += socket->readAll();
        const qsizetype headerEnd = received.indexOf("\r\n\r\n");
        if (headerEnd < 0 || silent)
            return;
        const QByteArray lengthField = "content-length: ";
        const qsizetype at = received.toLower().indexOf(lengthField);
        const int length = at < 0 ? 0 : received.mid(at + lengthField.size()).split('\r').first().toInt();
        if (received.size() < headerEnd + 4 + length)
            return;
        auto* timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket, timer, this, sent = qsizetype(0)]() mutable {
            const QByteArray piece = answer.mid(sent, pieceSize > 0 ? pieceSize : answer.size());
            socket->write(piece);
            sent += piece.size();
            timer->setInterval(pieceIntervalMs);
            if (sent >= answer.size()) {
                timer->stop();
                socket->disconnectFromHost();
            }
        });
        timer->start(firstDelayMs);
    }

    QTcpServer m_server;
};

// Writes down every callback; can cancel or delete the connection from inside a chosen one.
class RecordingDelegate : public UrlConnectionDelegate {
public:
    enum class Act { Nothing, Delete, Cancel };
    QStringList events;
    UrlResponse response;
    QByteArray data;
    Error error;
    QString actOn;
    Act act = Act::Nothing;
    UrlConnection* connection = nullptr;

    void connectionDidReceiveResponse(UrlConnection* c, const UrlResponse& r) override {
        response = r;
        record(c, QStringLiteral("response"));
    }
    void connectionDidReceiveData(UrlConnection* c, const QByteArray& d) override {
        data += d;
        record(c, QStringLiteral("data"));
    }
    void connectionDidFailWithError(UrlConnection* c, const Error& e) override {
        error = e;
        record(c, QStringLiteral("fail"));
    }
    void connectionDidFinishLoading(UrlConnection* c) override { record(c, QStringLiteral("finish")); }

    bool ended() const {
        return events.contains(QStringLiteral("finish")) || events.contains(QStringLiteral("fail"));
    }

private:
    void record(UrlConnection* c, const QString& event) {
        QCOMPARE(c, connection);
        if (events.isEmpty() || events.last() != event)
            events.append(event);
        if (event != actOn)
            return;
        if (act == Act::Delete) {
            delete connection;
            connection = nullptr;
        } else if (act == Act::Cancel) {
            connection->cancel();
        }
    }
};

UrlRequest soapRequest(const QUrl& url) {
    UrlRequest request;
    request.method = "POST";
    request.url = url;
    request.headerFields = {{"Content-Type", "text/xml; charset=utf-8"},
                            {"SOAPAction", "\"http://redire.korvo.example/GetNews\""},
                            {"X-Second", "2"}};
    request.body = "<soap:Envelope/>";
    return request;
}

} // namespace

class TestUrlConnection : public QObject {
    Q_OBJECT

private slots:
    void deliversResponseDataAndFinish_data() {
        QTest::addColumn<int>("status");
        QTest::newRow("ok") << 200;
        QTest::newRow("server fault is an answer") << 500;
        QTest::newRow("not found is an answer") << 404;
    }

    void deliversResponseDataAndFinish() {
        QFETCH(int, status);
        TestServer server;
        const QByteArray body =
            "<soap:Envelope><soap:Body>" + QByteArray(20000, 'x') + "</soap:Body></soap:Envelope>";
        server.answer = TestServer::httpAnswer(status, body);
        RecordingDelegate delegate;
        UrlConnection connection(soapRequest(server.url()), &delegate);
        delegate.connection = &connection;

        QTRY_VERIFY(delegate.ended());
        QCOMPARE(delegate.events, (QStringList{"response", "data", "finish"}));
        QCOMPARE(delegate.response.statusCode, status);
        QCOMPARE(delegate.response.mimeType, QByteArray("text/xml"));
        QCOMPARE(delegate.data, body);

        const QByteArray sent = server.received;
        QVERIFY2(sent.startsWith("POST /Feed5/Korvo.asmx HTTP/1.1\r\n"), sent.constData());
        QVERIFY(sent.endsWith("\r\n\r\n<soap:Envelope/>"));
        const qsizetype action = sent.indexOf("SOAPAction: \"http://redire.korvo.example/GetNews\"\r\n");
        QVERIFY(action > 0);
        QVERIFY(sent.indexOf("X-Second: 2\r\n") > action);
    }

    void headerFieldLookupIgnoresCase() {
        const UrlRequest request = soapRequest(QUrl(QStringLiteral("http://127.0.0.1/")));
        QCOMPARE(request.headerField("soapaction"), QByteArray("\"http://redire.korvo.example/GetNews\""));
        QVERIFY(request.headerField("Accept").isEmpty());
    }

    void refusedConnectionFails() {
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            closedPort = probe.serverPort();
        }
        RecordingDelegate delegate;
        UrlConnection connection(soapRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort))),
                                 &delegate);
        delegate.connection = &connection;
        QTRY_VERIFY(delegate.ended());
        QCOMPARE(delegate.events, QStringList{"fail"});
        QCOMPARE(delegate.error.domain, QStringLiteral("NSURLErrorDomain"));
        QCOMPARE(delegate.error.code, -1004);
        QVERIFY(!delegate.error.description.isEmpty());
    }

    void silentServerTimesOut() {
        TestServer server;
        server.silent = true;
        UrlRequest request = soapRequest(server.url());
        request.timeoutSeconds = 1;
        RecordingDelegate delegate;
        QElapsedTimer clock;
        clock.start();
        UrlConnection connection(request, &delegate);
        delegate.connection = &connection;
        QTRY_VERIFY_WITH_TIMEOUT(delegate.ended(), 5000);
        QCOMPARE(delegate.events, QStringList{"fail"});
        QCOMPARE(delegate.error.code, -1001);
        QCOMPARE(delegate.error.description, QStringLiteral("The request timed out."));
        QVERIFY(clock.elapsed() >= 900);
    }

    void slowButSteadyAnswerDoesNotTimeOut() {
        TestServer server;
        server.answer = TestServer::httpAnswer(200, "abcdef");
        // The head at once, then the body a byte at a time: longer in all than the time-out.
        server.pieceSize = int(server.answer.size()) - 5;
        server.pieceIntervalMs = 350;
        UrlRequest request = soapRequest(server.url());
        request.timeoutSeconds = 1;
        RecordingDelegate delegate;
        UrlConnection connection(request, &delegate);
        delegate.connection = &connection;
        QTRY_VERIFY_WITH_TIMEOUT(delegate.ended(), 10000);
        QCOMPARE(delegate.events.last(), QStringLiteral("finish"));
        QCOMPARE(delegate.data, QByteArray("abcdef"));
    }

    void cancelOrDestroyStopsCallbacks_data() {
        QTest::addColumn<bool>("destroy");
        QTest::newRow("cancel") << false;
        QTest::newRow("destroy") << true;
    }

    void cancelOrDestroyStopsCallbacks() {
        QFETCH(bool, destroy);
        TestServer server;
        server.answer = TestServer::httpAnswer(200, "body");
        server.firstDelayMs = 100;
        RecordingDelegate delegate;
        auto* connection = new UrlConnection(soapRequest(server.url()), &delegate);
        delegate.connection = connection;
        QTRY_VERIFY(!server.received.isEmpty());
        if (destroy)
            delete connection;
        else
            connection->cancel();
        QTest::qWait(300);
        QVERIFY(delegate.events.isEmpty());
        if (!destroy)
            delete connection;
    }

    void delegateMayEndConnectionInsideCallback_data() {
        QTest::addColumn<QString>("event");
        QTest::addColumn<bool>("destroy");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("port"); // 0: the test server
        const QStringList response{"response"};
        const QStringList data{"response", "data"};
        const QStringList all{"response", "data", "finish"};
        QTest::newRow("delete on response") << "response" << true << response << 0;
        QTest::newRow("cancel on response") << "response" << false << response << 0;
        QTest::newRow("delete on data") << "data" << true << data << 0;
        QTest::newRow("cancel on data") << "data" << false << data << 0;
        QTest::newRow("delete on finish") << "finish" << true << all << 0;
        QTest::newRow("delete on failure") << "fail" << true << QStringList{"fail"} << 1;
    }

    void delegateMayEndConnectionInsideCallback() {
        QFETCH(QString, event);
        QFETCH(bool, destroy);
        QFETCH(int, port);
        TestServer server;
        server.answer = TestServer::httpAnswer(200, QByteArray(1000, 'y'));
        server.pieceSize = 100; // data arrives in many pieces
        server.pieceIntervalMs = 5;
        const QUrl url = port ? QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)) : server.url();
        RecordingDelegate delegate;
        delegate.actOn = event;
        delegate.act = destroy ? RecordingDelegate::Act::Delete : RecordingDelegate::Act::Cancel;
        auto* connection = new UrlConnection(soapRequest(url), &delegate);
        delegate.connection = connection;
        QTRY_VERIFY(delegate.events.contains(event));
        QTest::qWait(300);
        QTEST(delegate.events, "expected");
        if (!destroy)
            delete connection;
    }
};

QTEST_GUILESS_MAIN(TestUrlConnection)
#include "tst_urlconnection.moc"
