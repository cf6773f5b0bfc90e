#include "EventSpool.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace statdesk::server {
namespace {

constexpr size_t kFields = 5;

std::runtime_error failure(const std::string& what, const std::string& path) {
    return std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

uint32_t crc32(std::string_view bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char byte : bytes)
        c = table[(c ^ byte) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::string checksum(std::string_view bytes) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", crc32(bytes));
    return text;
}

void escapeInto(std::string& out, std::string_view field) {
    for (char c : field) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\0': out += "\\0"; break;
        default: out += c;
        }
    }
}

std::optional<std::string> unescape(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case '0': out += '\0'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

// One line without its line end; nothing when its checksum or its fields do not hold.
std::optional<EventRecord> decode(std::string_view line) {
    const size_t lastTab = line.rfind('\t');
    if (lastTab == std::string_view::npos || line.substr(lastTab + 1) != checksum(line.substr(0, lastTab + 1)))
        return std::nullopt;
    std::array<std::string, kFields> fields;
    size_t start = 0;
    for (size_t i = 0; i < kFields; ++i) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos || (i + 1 == kFields) != (tab == lastTab))
            return std::nullopt;
        const auto field = unescape(line.substr(start, tab - start));
        if (!field)
            return std::nullopt;
        fields[i] = *field;
        start = tab + 1;
    }
    return EventRecord{fields[0], fields[1], fields[2], fields[3], fields[4]};
}

void writeAll(int file, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw failure("cannot write", path);
        bytes.remove_prefix(static_cast<size_t>(written));
    }
}

std::string readAll(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        if (errno == ENOENT)
            return {};
        throw failure("cannot read", path);
    }
    std::string bytes;
    char chunk[65536];
    ssize_t got = 0;
    while ((got = ::read(file, chunk, sizeof chunk)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(file);
            throw failure("cannot read", path);
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
    ::close(file);
    return bytes;
}

// A new file holding bytes, flushed; its name tells when the damage was found.
std::string keepAside(const std::string& path, std::string_view bytes) {
    const auto stamp = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    const std::string aside = path + ".damaged-" + std::to_string(stamp);
    const int file = ::open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0)
        throw failure("cannot keep the damaged spool tail in", aside);
    writeAll(file, bytes, aside);
    const bool flushed = ::fsync(file) == 0;
    ::close(file);
    if (!flushed)
        throw failure("cannot flush", aside);
    return aside;
}

void truncateTo(const std::string& path, off_t size) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (file < 0 && errno == ENOENT)
        return;
    if (file < 0 || ::ftruncate(file, size) != 0 || ::fsync(file) != 0) {
        const auto error = failure("cannot cut", path);
        if (file >= 0)
            ::close(file);
        throw error;
    }
    ::close(file);
}

} // namespace

EventSpool::EventSpool(std::string path) : m_path(std::move(path)) {}

bool EventSpool::empty() const {
    struct stat status {};
    return ::stat(m_path.c_str(), &status) != 0 || status.st_size == 0;
}

std::string EventSpool::encode(const EventRecord& record) {
    std::string line;
    for (const std::string* field : {&record.id, &record.receivedAt, &record.peer, &record.replica, &record.line}) {
        escapeInto(line, *field);
        line += '\t';
    }
    return line + checksum(line) + "\n";
}

void EventSpool::append(const std::vector<const EventRecord*>& records) {
    std::string bytes;
    for (const EventRecord* record : records)
        bytes += encode(*record);
    const int file = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (file < 0)
        throw failure("cannot open the event spool", m_path);
    try {
        writeAll(file, bytes, m_path);
        if (::fdatasync(file) != 0)
            throw failure("cannot flush the event spool", m_path);
    } catch (...) {
        ::close(file);
        throw;
    }
    ::close(file);
}

std::vector<EventRecord> EventSpool::load() {
    const std::string bytes = readAll(m_path);
    std::vector<EventRecord> records;
    size_t whole = 0;
    for (size_t end = bytes.find('\n'); end != std::string::npos; end = bytes.find('\n', whole)) {
        auto record = decode(std::string_view(bytes).substr(whole, end - whole));
        if (!record)
            break;
        records.push_back(std::move(*record));
        whole = end + 1;
    }
    if (whole < bytes.size()) {
        // The rest is kept before the spool is cut, so that a crash in between loses nothing.
        const std::string aside = keepAside(m_path, std::string_view(bytes).substr(whole));
        truncateTo(m_path, static_cast<off_t>(whole));
        std::cerr << "statdesk-service: event spool " << m_path << " is damaged after " << records.size()
                  << " whole records (byte " << whole << "); the remaining " << bytes.size() - whole
                  << " bytes are kept in " << aside << std::endl;
    }
    return records;
}

void EventSpool::clear() {
    truncateTo(m_path, 0);
}

} // namespace statdesk::server
