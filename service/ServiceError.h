#pragma once
// The error codes the face endpoints answer with, and their messages.
#include <string_view>

namespace vantorel::service {

enum class ServiceError {
  None = 0,
  Internal = 1,  // the database failed
  TokenInvalid = 110,
  TokenExpired = 111,
  MissingParameter = 222001,
  ParameterFormat = 222002,
  NoFace = 222202,
  PictureUndecodable = 222203,
  NoUserInGroups = 222207,
  FaceAlreadyRegistered = 223105,
  FaceTooBlurred = 223114,
  UserFaceLimit = 223104,
};

inline int CodeOf(ServiceError error) { return static_cast<int>(error); }

// A short English description for the reply's "error_msg".
std::string_view DefaultMessageOf(ServiceError error);

}  // namespace vantorel::service
