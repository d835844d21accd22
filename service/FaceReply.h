#pragma once
// The JSON replies of the face endpoints. Every reply carries error_code,
// error_msg, log_id, timestamp, cached and result, in that order.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "service/FaceMatching.h"
#include "service/ServiceError.h"
#include "service/recognition/FaceRecognizer.h"

namespace vantorel::service {

std::string ErrorReply(ServiceError error, std::string_view message, std::int64_t now);
std::string SearchReply(std::string_view faceToken, const std::vector<UserMatch>& users, std::int64_t now);
std::string AddUserReply(std::string_view faceToken, const FaceLocation& location, std::int64_t now);

}  // namespace vantorel::service
