#pragma once

#include <QString>

namespace statdesk::test {

// "127.0.0.1:port" of a loopback port this process holds bound and never listens on: every
// connection to it is refused at once, and no other program can open a server there while the
// test runs (the port is bound without address reuse).
QString deadHost();

// Points every host the program asks (STATDESK_HOSTS, STATDESK_SITE, STATDESK_NEWS, STATDESK_FTP)
// at deadHost(), so that no test reaches a service running on the machine's default ports; a test
// then points the hosts it plays itself at its own servers.
void pointHostsAtClosedPort();

} // namespace statdesk::test
