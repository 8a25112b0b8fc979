#pragma once

#include "platform/Configuration.h"
#include "sim/EmbeddedRedireService.h"
#include "sim/SimulatorData.h"

// The simulated coupon service on a free local port for one test, with Configuration::current() pointing at
// it; the previous configuration comes back when the fixture goes.
class SimulatedService {
public:
    SimulatedService();
    explicit SimulatedService(SimulatorData data);
    ~SimulatedService();
    SimulatedService(const SimulatedService&) = delete;
    SimulatedService& operator=(const SimulatedService&) = delete;

    EmbeddedRedireService& service() { return m_service; }
    EmbeddedRedireService* operator->() { return &m_service; }

private:
    Configuration m_previous;
    EmbeddedRedireService m_service;
};
