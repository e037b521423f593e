#include "webimport/insideaddress.h"

#include <arpa/inet.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace webimport {

namespace {

bool isInsideV4(const std::array<unsigned char, 4> &a)
{
    const std::uint32_t v = std::uint32_t(a[0]) << 24 | std::uint32_t(a[1]) << 16 | std::uint32_t(a[2]) << 8 | a[3];
    const auto in = [v](std::uint32_t net, int bits) { return (v >> (32 - bits)) == (net >> (32 - bits)); };
    return in(0x00000000, 8)     // "this network", 0.0.0.0 among it
        || in(0x0A000000, 8)     // 10/8
        || in(0x64400000, 10)    // 100.64/10, shared by a provider's NAT
        || in(0x7F000000, 8)     // loopback
        || in(0xA9FE0000, 16)    // link-local
        || in(0xAC100000, 12)    // 172.16/12
        || in(0xC0A80000, 16)    // 192.168/16
        || in(0xE0000000, 4)     // multicast
        || in(0xF0000000, 4);    // reserved, broadcast among it
}

bool isInsideV6(const std::array<unsigned char, 16> &a)
{
    static constexpr unsigned char kZero[12] = {};
    static constexpr unsigned char kMapped[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
    static constexpr unsigned char kNat64[12] = {0x00, 0x64, 0xFF, 0x9B};
    const auto embedded = [&a] { return std::array<unsigned char, 4>{a[12], a[13], a[14], a[15]}; };
    // IPv4 in IPv6 reaches the IPv4 address: mapped, the old compatible form (:: and ::1 fall
    // into 0/8 so) and the well-known NAT64 prefix.
    if (std::memcmp(a.data(), kMapped, 12) == 0 || std::memcmp(a.data(), kZero, 12) == 0
        || std::memcmp(a.data(), kNat64, 12) == 0)
        return isInsideV4(embedded());
    return (a[0] & 0xFE) == 0xFC                     // unique local, fc00::/7
        || (a[0] == 0xFE && (a[1] & 0xC0) == 0x80)   // link-local, fe80::/10
        || (a[0] == 0xFE && (a[1] & 0xC0) == 0xC0)   // site-local, fec0::/10
        || a[0] == 0xFF;                             // multicast
}

} // namespace

bool isInsideAddress(const QString &address)
{
    const QByteArray text = address.toLatin1();
    if (text.contains('\0'))
        return true;
    std::array<unsigned char, 4> v4{};
    if (inet_pton(AF_INET, text.constData(), v4.data()) == 1)
        return isInsideV4(v4);
    std::array<unsigned char, 16> v6{};
    if (inet_pton(AF_INET6, text.constData(), v6.data()) == 1)
        return isInsideV6(v6);
    return true;
}

} // namespace webimport
