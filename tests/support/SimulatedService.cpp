#include "tests/support/SimulatedService.h"

SimulatedService::SimulatedService()
    : SimulatedService(SimulatorData::builtIn()) {}

SimulatedService::SimulatedService(SimulatorData data)
    : m_previous(Configuration::current())
    , m_service(std::move(data), m_previous.serviceNamespace, m_previous.signingSecret) {
    QString error;
    if (!m_service.start(0, &error))
        qFatal("The simulated service does not start: %s", qPrintable(error));
    Configuration configuration = m_previous;
    configuration.soapEndpoint = m_service.soapEndpoint();
    configuration.ratingBaseUrl = m_service.ratingBaseUrl();
    Configuration::setCurrent(configuration);
}

SimulatedService::~SimulatedService() {
    Configuration::setCurrent(m_previous);
}
