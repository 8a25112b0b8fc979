#include "sim/RedireSimulator.h"

#include "platform/Configuration.h"
#include "platform/DebugLog.h"
#include "sim/PictureFactory.h"
#include "sim/SoapMessage.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerRouterRule>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>

#include <memory>

namespace {

using Method = QHttpServerRequest::Method;

const QString soapPath = QStringLiteral("/Feed5/Korvo.asmx");
const QString ratingPath = QStringLiteral("/v1");
constexpr int requestLogLimit = 1000;
constexpr int defaultDelayMs = 3000;

// Every GET below a path, whatever its depth and however empty its segments; the router's own patterns
// cannot express that.
class PathPrefixRule : public QHttpServerRouterRule {
public:
    PathPrefixRule(const QString& prefix, RouterHandler handler)
        : QHttpServerRouterRule(prefix, Method::Get, std::move(handler))
        , m_prefix(prefix) {}

protected:
    bool matches(const QHttpServerRequest& request, QRegularExpressionMatch*) const override {
        return request.method() == Method::Get && request.url().path().startsWith(m_prefix);
    }

private:
    QString m_prefix;
};

void write(QHttpServerResponder& responder, const SimulatedAnswer& answer) {
    responder.write(answer.body, answer.contentType, QHttpServerResponder::StatusCode(answer.status));
}

QHttpServerResponse png(const QByteArray& bytes) {
    return QHttpServerResponse(QByteArrayLiteral("image/png"), bytes);
}

QHttpServerResponse notFound() {
    return QHttpServerResponse(QByteArrayLiteral("text/plain; charset=utf-8"),
                               QByteArrayLiteral("Not found\n"), QHttpServerResponder::StatusCode::NotFound);
}

// "14301.png" -> "14301"
QString pictureId(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".png")) ? fileName.chopped(4) : QString();
}

QByteArray htmlErrorPage() {
    return QByteArrayLiteral("<!DOCTYPE html><html><head><title>Runtime Error</title></head><body>"
                             "<h1>Server Error in '/Feed5' Application.</h1><h2><i>Runtime Error</i></h2>"
                             "<p>An application error occurred on the server.</p></body></html>");
}

} // namespace

RedireSimulator::RedireSimulator(SimulatorData data, QString serviceNamespace, QString signingSecret,
                                 QObject* parent)
    : QObject(parent)
    , m_namespace(std::move(serviceNamespace))
    , m_secret(std::move(signingSecret))
    , m_data(std::move(data))
    , m_ratings(m_data)
    , m_soap(m_data, m_members, m_memberCoupons, m_namespace, m_secret)
    , m_ratingService(m_ratings, m_memberCoupons, m_secret)
    , m_server(new QHttpServer(this)) {
    addRoutes();
}

RedireSimulator::RedireSimulator(QObject* parent)
    : RedireSimulator(SimulatorData::builtIn(), Configuration().serviceNamespace,
                      Configuration().signingSecret, parent) {}

RedireSimulator::~RedireSimulator() = default;

bool RedireSimulator::listen(quint16 port) {
    m_port = m_server->listen(QHostAddress::LocalHost, port);
    if (m_port == 0) {
        m_errorString = QStringLiteral("cannot listen on 127.0.0.1 port %1").arg(port);
        return false;
    }
    m_soap.setBaseUrl(baseUrl());
    return true;
}

QUrl RedireSimulator::baseUrl() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port));
}

QUrl RedireSimulator::soapEndpoint() const {
    return QUrl(baseUrl().toString() + soapPath);
}

QUrl RedireSimulator::ratingBaseUrl() const {
    return QUrl(baseUrl().toString() + ratingPath);
}

void RedireSimulator::setFault(const QString& operation, const SimulatedFault& fault) {
    if (fault.kind == SimulatedFault::Kind::None)
        m_faults.remove(operation);
    else
        m_faults.insert(operation, fault);
    DebugLog::write(
        QStringLiteral("[redire-sim] Fault for %1: %2").arg(operation, SimulatedFault::nameOf(fault.kind)));
}

void RedireSimulator::clearFaults() {
    m_faults.clear();
}

QString RedireSimulator::verificationCode(const QString& mobileNumber) const {
    return m_members.verificationCode(mobileNumber);
}

void RedireSimulator::addRoutes() {
    m_server->route(soapPath, Method::Post,
                    [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
                        handleSoap(request, std::move(responder));
                    });
    m_server->route(ratingPath + QStringLiteral("/RateProduct"), Method::Post,
                    [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
                        handleRateProduct(request, std::move(responder));
                    });
    m_server->route<PathPrefixRule>(ratingPath + QLatin1Char('/'), [this](const QHttpServerRequest& request,
                                                                          QHttpServerResponder&& responder) {
        handleRatingGet(request, std::move(responder));
    });

    m_server->route(QStringLiteral("/images/coupon/<arg>"), Method::Get, [this](const QString& file) {
        const QString id = pictureId(file);
        const SimulatedCoupon* coupon = m_data.coupon(id);
        if (!coupon)
            coupon = m_memberCoupons.find(id);
        return coupon ? png(PictureFactory::couponCard(*coupon)) : notFound();
    });
    m_server->route(QStringLiteral("/images/news/<arg>"), Method::Get, [this](const QString& file) {
        for (const SimulatedNewsItem& item : m_data.news) {
            if (item.id == pictureId(file))
                return png(PictureFactory::newsPicture(item));
        }
        return notFound();
    });
    m_server->route(QStringLiteral("/images/splash.png"), Method::Get,
                    [this] { return png(PictureFactory::splashAdvert(m_data.splash)); });
    m_server->route(QStringLiteral("/pages/<arg>"), Method::Get, [this](const QString& file) {
        for (const SimulatedNewsItem& item : m_data.news) {
            if (item.url == QStringLiteral("/pages/") + file) {
                const QString page =
                    QStringLiteral("<!DOCTYPE html><html lang=\"no\"><head><meta charset=\"utf-8\">"
                                   "<title>%1</title></head><body><h1>%1</h1><p>%2</p>"
                                   "<img src=\"/images/news/%3.png\" alt=\"\"></body></html>")
                        .arg(item.title.toHtmlEscaped(), item.text.toHtmlEscaped(), item.id);
                return QHttpServerResponse(QByteArrayLiteral("text/html; charset=utf-8"), page.toUtf8());
            }
        }
        return notFound();
    });

    m_server->route(QStringLiteral("/admin/codes/<arg>"), Method::Get, [this](const QString& mobileNumber) {
        const QString code = m_members.verificationCode(mobileNumber);
        return code.isEmpty()
                   ? notFound()
                   : QHttpServerResponse(QByteArrayLiteral("text/plain; charset=utf-8"), code.toUtf8());
    });
    m_server->route(QStringLiteral("/admin/fault/clear"), Method::Post, [this] {
        clearFaults();
        return QHttpServerResponse(QByteArrayLiteral("text/plain"), QByteArrayLiteral("OK\n"));
    });
    m_server->route(QStringLiteral("/admin/fault/<arg>/<arg>"), Method::Post,
                    [this](const QString& operation, const QString& mode, const QHttpServerRequest& request,
                           QHttpServerResponder&& responder) {
                        handleFaultRequest(operation, mode, request, std::move(responder));
                    });
    m_server->setMissingHandler([](const QHttpServerRequest&, QHttpServerResponder&& responder) {
        responder.write(QByteArrayLiteral("Not found\n"), QByteArrayLiteral("text/plain; charset=utf-8"),
                        QHttpServerResponder::StatusCode::NotFound);
    });
}

void RedireSimulator::handleFaultRequest(const QString& operation, const QString& mode,
                                         const QHttpServerRequest& request,
                                         QHttpServerResponder&& responder) {
    const std::optional<SimulatedFault::Kind> kind = SimulatedFault::kindFromName(mode);
    const bool known = operation == QLatin1String("*") || SoapService::operations().contains(operation) ||
                       RatingService::operations().contains(operation);
    if (!kind || !known) {
        write(responder, SimulatedAnswer::text(QStringLiteral("Unknown operation or fault. Faults: %1\n")
                                                   .arg(SimulatedFault::names().join(QStringLiteral(", ")))
                                                   .toUtf8(),
                                               400));
        return;
    }
    const QString milliseconds = request.query().queryItemValue(QStringLiteral("ms"));
    setFault(operation, {*kind, milliseconds.isEmpty() ? defaultDelayMs : milliseconds.toInt()});
    write(responder, SimulatedAnswer::text(QByteArrayLiteral("OK\n")));
}

void RedireSimulator::handleSoap(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    QString error;
    const std::optional<SoapCall> call = SoapCall::parse(request.body(), &error);
    if (!call) {
        write(responder,
              SimulatedAnswer::xml(
                  SoapAnswer::fault(QStringLiteral("soap:Client"),
                                    QStringLiteral("Server was unable to read request: %1").arg(error)),
                  500));
        return;
    }
    const QString soapAction = QString::fromUtf8(request.value(QByteArrayLiteral("SOAPAction")));
    answerCall(
        call->operation, call->parameters, true,
        [this, call = *call, soapAction] { return m_soap.answer(call, soapAction); }, std::move(responder));
}

void RedireSimulator::handleRatingGet(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    QString error;
    const QString path = request.url().path(QUrl::FullyEncoded).mid(ratingPath.size());
    const std::optional<RatingCall> call = RatingCall::fromPath(path, &error);
    if (!call) {
        write(responder, RatingService::refusal(400, error));
        return;
    }
    answerCall(
        call->operation, call->parameters, false,
        [this, call = *call] { return m_ratingService.answer(call); }, std::move(responder));
}

void RedireSimulator::handleRateProduct(const QHttpServerRequest& request, QHttpServerResponder&& responder) {
    QString error;
    const QString operation = QStringLiteral("RateProduct");
    const std::optional<RatingCall> call =
        RatingCall::fromJson(operation, RatingService::rateProductParameters(), request.body(), &error);
    if (!call) {
        write(responder, RatingService::refusal(400, error));
        return;
    }
    answerCall(
        operation, call->parameters, false, [this, call = *call] { return m_ratingService.answer(call); },
        std::move(responder));
}

void RedireSimulator::answerCall(const QString& operation, const QList<QPair<QString, QString>>& parameters,
                                 bool soap, const std::function<SimulatedAnswer()>& answer,
                                 QHttpServerResponder&& responder) {
    if (m_requestLog.size() >= requestLogLimit)
        m_requestLog.removeFirst();
    m_requestLog.append({operation, parameters});

    const SimulatedFault fault = faultFor(operation);
    switch (fault.kind) {
    case SimulatedFault::Kind::None:
        write(responder, answer());
        return;
    case SimulatedFault::Kind::DropConnection:
        responder.socket()->abort();
        return;
    case SimulatedFault::Kind::Delay: {
        // The answer is computed when it goes out, as a slow service would; meanwhile the thread serves
        // others.
        auto held = std::make_shared<QHttpServerResponder>(std::move(responder));
        QPointer<QTcpSocket> socket = held->socket();
        QTimer::singleShot(fault.delayMs, this, [held, socket, answer] {
            if (socket && socket->state() == QAbstractSocket::ConnectedState)
                write(*held, answer());
        });
        return;
    }
    default:
        write(responder, faultAnswer(fault.kind, operation, soap));
    }
}

SimulatedFault RedireSimulator::faultFor(const QString& operation) const {
    return m_faults.value(operation, m_faults.value(QStringLiteral("*")));
}

SimulatedAnswer RedireSimulator::faultAnswer(SimulatedFault::Kind kind, const QString& operation,
                                             bool soap) const {
    switch (kind) {
    case SimulatedFault::Kind::ServiceError:
        return soap ? SimulatedAnswer::xml(SoapAnswer::serviceError(
                          operation, m_namespace, 500, QStringLiteral("Simulated service error")))
                    : SimulatedAnswer::xml(
                          SoapAnswer::errorElement(500, QStringLiteral("Simulated service error")).toUtf8());
    case SimulatedFault::Kind::SoapFault:
        return SimulatedAnswer::xml(
            SoapAnswer::fault(QStringLiteral("soap:Server"),
                              QStringLiteral("Server was unable to process request. ---> Simulated failure")),
            500);
    case SimulatedFault::Kind::HtmlError:
        return {500, QByteArrayLiteral("text/html; charset=utf-8"), htmlErrorPage()};
    default:
        return SimulatedAnswer::text(QByteArrayLiteral("%%% service temporarily scrambled %%%"));
    }
}
