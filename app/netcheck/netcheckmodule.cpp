#include "netcheck/inet.h"

// The version-check module: the check on Qt Network, made for the window that opened it.
extern "C" Q_DECL_EXPORT VersionCheck* beatloftCreateVersionCheck(NewsBox& news,
                                                                  const CheckLevel& level,
                                                                  const HostSettings& hosts) {
    return new Inet(news, level, hosts);
}
