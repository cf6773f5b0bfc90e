#include "RealDataBench.h"

#include "TableWindow.h"

#include <cstdio>

namespace statdesk::bench {

RealDataBench::RealDataBench() : m_service(test::ServiceProcess::builtDatabase()) {
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
