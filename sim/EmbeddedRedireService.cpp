#include "sim/EmbeddedRedireService.h"

#include "platform/Configuration.h"

EmbeddedRedireService::EmbeddedRedireService()
    : EmbeddedRedireService(SimulatorData::builtIn(), Configuration().serviceNamespace,
                            Configuration().signingSecret) {}

EmbeddedRedireService::EmbeddedRedireService(SimulatorData data, const QString& serviceNamespace,
                                             const QString& signingSecret)
    : m_simulator(new RedireSimulator(std::move(data), serviceNamespace, signingSecret))
    , m_serviceNamespace(serviceNamespace)
    , m_signingSecret(signingSecret) {
    m_thread.setObjectName(QStringLiteral("redire-sim"));
    m_simulator->moveToThread(&m_thread);
    m_thread.start();
}

EmbeddedRedireService::~EmbeddedRedireService() {
    onServiceThread([this] { delete m_simulator; });
    m_thread.quit();
    m_thread.wait();
}

void EmbeddedRedireService::onServiceThread(const std::function<void()>& work) const {
    if (QThread::currentThread() == &m_thread)
        work();
    else
        QMetaObject::invokeMethod(m_simulator, work, Qt::BlockingQueuedConnection);
}

bool EmbeddedRedireService::start(quint16 port, QString* error) {
    bool listening = false;
    onServiceThread([&] {
        listening = m_simulator->listen(port);
        m_soapEndpoint = m_simulator->soapEndpoint();
        m_ratingBaseUrl = m_simulator->ratingBaseUrl();
        m_baseUrl = m_simulator->baseUrl();
        if (!listening && error)
            *error = m_simulator->errorString();
    });
    return listening;
}

void EmbeddedRedireService::setFault(const QString& operation, const SimulatedFault& fault) {
    onServiceThread([&] { m_simulator->setFault(operation, fault); });
}

void EmbeddedRedireService::clearFaults() {
    onServiceThread([&] { m_simulator->clearFaults(); });
}

QString EmbeddedRedireService::verificationCode(const QString& mobileNumber) const {
    QString code;
    onServiceThread([&] { code = m_simulator->verificationCode(mobileNumber); });
    return code;
}

QList<SimulatedRequest> EmbeddedRedireService::requestLog() const {
    QList<SimulatedRequest> log;
    onServiceThread([&] { log = m_simulator->requestLog(); });
    return log;
}
