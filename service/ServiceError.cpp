#include "service/ServiceError.h"

namespace vantorel::service {

std::string_view DefaultMessageOf(ServiceError error) {
  switch (error) {
    case ServiceError::None: return "SUCCESS";
    case ServiceError::Internal: return "internal error, please try again";
    case ServiceError::TokenInvalid: return "access token invalid";
    case ServiceError::TokenExpired: return "access token expired";
    case ServiceError::MissingParameter: return "required parameter missing";
    case ServiceError::ParameterFormat: return "parameter format error";
    case ServiceError::NoFace: return "no face found in the picture";
    case ServiceError::PictureUndecodable: return "picture cannot be decoded";
    case ServiceError::NoUserInGroups: return "no user registered in the searched groups";
    case ServiceError::FaceAlreadyRegistered: return "face already registered for this user";
    case ServiceError::FaceTooBlurred: return "face too blurred";
    case ServiceError::UserFaceLimit: return "user already holds the largest number of faces";
  }
  return "unknown error";
}

}  // namespace vantorel::service
