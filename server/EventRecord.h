#pragma once

#include <string>

namespace statdesk::server {

// One usage event as the database stores it.
struct EventRecord {
    std::string id;         // unique; a second insert of the same id is a no-op
    std::string receivedAt; // UTC, "2026-12-11 06:21:33.123456+00"
    std::string peer;
    std::string replica;
    std::string line; // the bytes as sent
};

} // namespace statdesk::server
