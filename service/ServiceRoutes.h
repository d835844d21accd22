#pragma once
// The service's HTTP surface at a glance: which path goes to which endpoint,
// the body limit, the worker threads and the request log.
#include <httplib.h>

#include "service/FaceEndpoints.h"
#include "service/RequestLog.h"
#include "service/TokenEndpoint.h"

namespace vantorel::service {

void InstallRoutes(httplib::Server& server, TokenEndpoint& token, FaceEndpoints& faces, RequestLog& log);

}  // namespace vantorel::service
