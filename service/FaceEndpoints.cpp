#include "service/FaceEndpoints.h"

#include <optional>
#include <variant>

#include "service/Crypto.h"
#include "service/FaceMatching.h"
#include "service/FaceReply.h"
#include "service/FaceRequest.h"

namespace vantorel::service {
namespace {

EndpointReply Failure(ServiceError error, std::string_view message, std::int64_t now) {
  return {200, ErrorReply(error, message, now), std::to_string(CodeOf(error))};
}

EndpointReply Failure(ServiceError error, std::int64_t now) { return Failure(error, DefaultMessageOf(error), now); }

EndpointReply Success(std::string body) { return {200, std::move(body), "0"}; }

std::optional<ServiceError> TokenProblem(TokenStore& tokens, std::string_view token, std::int64_t now) {
  switch (tokens.Check(token, now)) {
    case TokenState::Valid: return std::nullopt;
    case TokenState::Expired: return ServiceError::TokenExpired;
    case TokenState::Unknown: return ServiceError::TokenInvalid;
  }
  return ServiceError::TokenInvalid;
}

std::optional<ServiceError> FaceProblem(FaceStatus status) {
  switch (status) {
    case FaceStatus::Found: return std::nullopt;
    case FaceStatus::Undecodable: return ServiceError::PictureUndecodable;
    case FaceStatus::NoFace: return ServiceError::NoFace;
    case FaceStatus::TooBlurred: return ServiceError::FaceTooBlurred;
  }
  return ServiceError::PictureUndecodable;
}

// Names the picture: the same bytes always get the same token.
std::string FaceTokenOf(const Bytes& picture) {
  return Sha256Hex(std::string_view(reinterpret_cast<const char*>(picture.data()), picture.size())).substr(0, 32);
}

}  // namespace

EndpointReply FaceEndpoints::Search(std::string_view accessToken, std::string_view body) {
  const std::int64_t now = clock_();
  if (auto problem = TokenProblem(tokens_, accessToken, now)) return Failure(*problem, now);
  auto parsed = ParseSearchRequest(body);
  if (auto* problem = std::get_if<RequestProblem>(&parsed)) return Failure(problem->error, problem->message, now);
  const auto& request = std::get<SearchRequest>(parsed);
  const FaceDescription face = recognizer_.Describe(request.picture, request.quality);
  if (auto problem = FaceProblem(face.status)) return Failure(*problem, now);
  const RegisteredFaces registered = library_.FacesIn(request.groups, face.descriptor.size());
  if (registered.users.empty()) return Failure(ServiceError::NoUserInGroups, now);
  const auto users = RankUsers(registered, face.descriptor, recognizer_, static_cast<std::size_t>(request.maxUsers));
  return Success(SearchReply(FaceTokenOf(request.picture), users, now));
}

EndpointReply FaceEndpoints::AddUser(std::string_view accessToken, std::string_view body) {
  const std::int64_t now = clock_();
  if (auto problem = TokenProblem(tokens_, accessToken, now)) return Failure(*problem, now);
  auto parsed = ParseAddUserRequest(body);
  if (auto* problem = std::get_if<RequestProblem>(&parsed)) return Failure(problem->error, problem->message, now);
  auto& request = std::get<AddUserRequest>(parsed);
  const FaceDescription face = recognizer_.Describe(request.picture, request.quality);
  if (auto problem = FaceProblem(face.status)) return Failure(*problem, now);
  const NewFace newFace{request.groupId, request.userId, std::move(request.userInfo), FaceTokenOf(request.picture),
                        face.descriptor, face.location, now};
  const auto isSameFace = [&](const Descriptor& held) {
    return recognizer_.Distance(held, face.descriptor) < recognizer_.SameFaceDistance();
  };
  switch (library_.Add(newFace, isSameFace)) {
    case AddOutcome::Added: return Success(AddUserReply(newFace.faceToken, face.location, now));
    case AddOutcome::AlreadyRegistered: return Failure(ServiceError::FaceAlreadyRegistered, now);
    case AddOutcome::UserFull: return Failure(ServiceError::UserFaceLimit, now);
    case AddOutcome::StorageFailed: break;
  }
  EndpointReply failure = Failure(ServiceError::Internal, "the face could not be stored", now);
  failure.httpStatus = 500;
  return failure;
}

}  // namespace vantorel::service
