#include "versioncheck.h"

#include "shared/programmodule.h"

std::unique_ptr<VersionCheck> VersionCheck::create(NewsBox& news, const CheckLevel& level,
                                                   const HostSettings& hosts) {
    using Entry = VersionCheck* (*)(NewsBox&, const CheckLevel&, const HostSettings&);
    static const auto entry = reinterpret_cast<Entry>(
        programmodule::entry(BEATLOFT_NETCHECK_MODULE, "beatloftCreateVersionCheck"));
    if (!entry) return std::make_unique<VersionCheck>();
    return std::unique_ptr<VersionCheck>(entry(news, level, hosts));
}
