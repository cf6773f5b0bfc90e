#pragma once

#include "FakeSeams.h"
#include "ServiceProcess.h"

#include <QMdiArea>

#include <memory>

namespace statdesk {
class TableWindow;
}

namespace statdesk::bench {

// The project's service on the real data, the client pointed at it, and a window area to open
// table windows in; errors are recorded instead of shown.
class RealDataBench final {
  public:
    RealDataBench();
    // False (and the reason printed) when the service did not start.
    bool ready() const;
    QString host() const { return m_service.host(); }
    QMdiArea& area() { return m_area; }
    const test::RecordingPresenter& presenter() const { return m_presenter; }
    // A players regular-season window at its first page.
    TableWindow* openPlayers();

  private:
    // Before the service starts, so that it inherits its core.
    struct CorePlacement {
        CorePlacement();
        int clientCore = -1; // -1: one core only, nothing placed
        int serviceCore = -1;
    };

    CorePlacement m_cores;
    test::RecordingPresenter m_presenter;
    test::ServiceProcess m_service;
    QMdiArea m_area;
};

} // namespace statdesk::bench
