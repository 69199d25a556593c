#include "workstation.h"

#include <QByteArray>

#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <string>

namespace fakvo {

std::optional<HardwareAddress> FirstAdapterHardwareAddress()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return std::nullopt;
    std::map<std::string, HardwareAddress> byName;
    for (ifaddrs* it = list; it != nullptr; it = it->ifa_next) {
        if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_PACKET)
            continue;
        if ((it->ifa_flags & IFF_LOOPBACK) != 0)
            continue;
        const auto* link = reinterpret_cast<const sockaddr_ll*>(it->ifa_addr);
        if (link->sll_halen != 6)
            continue;
        HardwareAddress address{};
        std::memcpy(address.data(), link->sll_addr, address.size());
        if (address == HardwareAddress{})
            continue;
        byName.emplace(it->ifa_name, address);
    }
    freeifaddrs(list);
    if (byName.empty())
        return std::nullopt;
    return byName.begin()->second;
}

QString HostName()
{
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return QString::fromLocal8Bit(name);
}

QString LoginName()
{
    const QString user = qEnvironmentVariable("USER");
    if (!user.isEmpty())
        return user;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name != nullptr)
        return QString::fromLocal8Bit(entry->pw_name);
    return {};
}

} // namespace fakvo
