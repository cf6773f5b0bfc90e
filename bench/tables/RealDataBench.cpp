#include "RealDataBench.h"

#include "TableWindow.h"

#include <cstdio>
#include <sched.h>

namespace statdesk::bench {
namespace {

void runOnCore(int core) {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    CPU_SET(core, &cores);
    sched_setaffinity(0, sizeof cores, &cores);
}

} // namespace

// The client and the service each on a core of their own. Left to the scheduler, the two moved
// between the cores from run to run, and the scroll step against its parts swung between 1.1x and
// 1.5x with the placement alone. This thread, which starts the service, first takes the service's
// core, so the service inherits it, and then moves to its own.
RealDataBench::CorePlacement::CorePlacement() {
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return;
    for (int core = 0; core < CPU_SETSIZE && serviceCore < 0; ++core) {
        if (!CPU_ISSET(core, &allowed))
            continue;
        if (clientCore < 0)
            clientCore = core;
        else
            serviceCore = core;
    }
    if (serviceCore < 0) {
        clientCore = -1;
        return;
    }
    runOnCore(serviceCore);
}

RealDataBench::RealDataBench() : m_service(test::ServiceProcess::builtDatabase()) {
    if (m_cores.clientCore >= 0) {
        runOnCore(m_cores.clientCore);
        std::printf("client on core %d, service on core %d\n", m_cores.clientCore, m_cores.serviceCore);
    }
    if (m_service.isRunning())
        m_service.pointClientHere();
    m_area.resize(1280, 900);
    m_area.show();
}

bool RealDataBench::ready() const {
    if (!m_service.isRunning())
        std::printf("the service did not start: %s\n", qPrintable(m_service.errorString()));
    return m_service.isRunning();
}

TableWindow* RealDataBench::openPlayers() {
    TableWindowSetup setup;
    setup.kind = DatasetKind::PlayersRegular;
    return openTableWindow(&m_area, setup);
}

} // namespace statdesk::bench
