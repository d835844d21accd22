#include "service/ServiceRoutes.h"

#include "service/JsonWriter.h"
#include "service/ServiceSettings.h"

namespace vantorel::service {
namespace {

constexpr const char* kJsonType = "application/json;charset=utf-8";

void Answer(httplib::Response& response, const EndpointReply& reply, RequestLog& log) {
  response.status = reply.httpStatus;
  response.set_content(reply.body, kJsonType);
  log.NoteOutcome(reply.outcome);
}

TokenRequest TokenRequestOf(const httplib::Request& request) {
  return {request.get_param_value("grant_type"), request.get_param_value("client_id"),
          request.get_param_value("client_secret")};
}

// The body is read raw, whatever Content-Type says: JSON sent as a form must
// not be parsed as form fields.
template <class Endpoint>
httplib::Server::HandlerWithContentReader FaceRoute(RequestLog& log, Endpoint endpoint) {
  return [&log, endpoint](const httplib::Request& request, httplib::Response& response,
                          const httplib::ContentReader& readContent) {
    std::string body;
    std::size_t received = 0;
    // The library checks only a declared length. A body a little too large
    // is read to its end so the client hears 413; a flood is cut off.
    const auto collect = [&body, &received](const char* data, std::size_t size) {
      received += size;
      if (received <= kMaxBodyBytes) body.append(data, size);
      return received <= 2 * kMaxBodyBytes;
    };
    // A multipart form is no JSON body: its parts are read and dropped, and
    // the endpoint sees an empty body.
    const auto dropParts = [&received](const char*, std::size_t size) {
      received += size;
      return received <= 2 * kMaxBodyBytes;
    };
    const bool complete = request.is_multipart_form_data()
                              ? readContent([](const httplib::MultipartFormData&) { return true; }, dropParts)
                              : readContent(collect);
    if (received > kMaxBodyBytes) response.status = 413;
    if (!complete || received > kMaxBodyBytes) {
      // An oversized declared length has set 413 already; anything else is malformed.
      if (response.status < 400) response.status = 400;
      return;
    }
    Answer(response, endpoint(request.get_param_value("access_token"), body), log);
  };
}

// Replies the library makes itself (unknown path, body too large, malformed
// request) get a JSON body too.
void DescribeHttpError(httplib::Response& response) {
  if (!response.body.empty()) return;
  std::string_view error = "bad_request", description = "the request could not be read";
  if (response.status >= 500) error = "server_error", description = "the request could not be handled";
  if (response.status == 404) error = "not_found", description = "no such endpoint";
  if (response.status == 413) error = "request_too_large", description = "request bodies are limited to 10 MB";
  JsonWriter json;
  json.BeginObject().Key("error").String(error).Key("error_description").String(description).EndObject();
  response.set_content(json.text(), kJsonType);
}

}  // namespace

void InstallRoutes(httplib::Server& server, TokenEndpoint& token, FaceEndpoints& faces, RequestLog& log) {
  const auto tokenHandler = [&token, &log](const httplib::Request& request, httplib::Response& response) {
    Answer(response, token.Handle(TokenRequestOf(request)), log);
    response.set_header("Cache-Control", "no-store");
    response.set_header("Pragma", "no-cache");
  };
  server.Get("/oauth/2.0/token", tokenHandler);
  server.Post("/oauth/2.0/token", tokenHandler);
  server.Post("/rest/2.0/face/v3/search", FaceRoute(log, [&faces](std::string_view token, std::string_view body) {
                return faces.Search(token, body);
              }));
  server.Post("/rest/2.0/face/v3/faceset/user/add",
              FaceRoute(log, [&faces](std::string_view token, std::string_view body) {
                return faces.AddUser(token, body);
              }));

  server.set_payload_max_length(kMaxBodyBytes);
  server.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
  server.set_pre_routing_handler([&log](const httplib::Request&, httplib::Response&) {
    log.Begin();
    return httplib::Server::HandlerResponse::Unhandled;
  });
  server.set_error_handler([](const httplib::Request&, httplib::Response& response) { DescribeHttpError(response); });
  server.set_logger([&log](const httplib::Request& request, const httplib::Response& response) {
    log.Finish(request.method, request.path, response.status);
  });
}

}  // namespace vantorel::service
