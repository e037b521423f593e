#pragma once

#include <QString>

namespace webimport {

// Whether a numeric address (as a resolver gives it) leads into this machine or the local
// network: loopback, private, shared (carrier-grade NAT), link-local, multicast, unspecified
// or broadcast, also as IPv4 inside an IPv6 address. Anything that can't be read counts as
// inside, so that it is never fetched for a page from outside.
bool isInsideAddress(const QString &address);

} // namespace webimport
