#pragma once
// The one client the token endpoint accepts. A build may replace the pair
// (CMake cache variables VANTOREL_CLIENT_ID and VANTOREL_CLIENT_SECRET); the
// desktop client is built with the same values.
#include <string_view>

#ifndef VANTOREL_SERVICE_CLIENT_ID
#define VANTOREL_SERVICE_CLIENT_ID "Tq7mKd2RvB9zLw4NcF6pHs3J"
#endif
#ifndef VANTOREL_SERVICE_CLIENT_SECRET
#define VANTOREL_SERVICE_CLIENT_SECRET "Jr5tGv8XbQ2nHe6wYk3MzP9cSd4LfA7u"
#endif

namespace vantorel::service {

inline constexpr std::string_view kClientId = VANTOREL_SERVICE_CLIENT_ID;
inline constexpr std::string_view kClientSecret = VANTOREL_SERVICE_CLIENT_SECRET;

}  // namespace vantorel::service
