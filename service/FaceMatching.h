#pragma once
// Ranks registered users against the face of a search.
#include <string>
#include <vector>

#include "service/FaceLibrary.h"
#include "service/recognition/FaceRecognizer.h"

namespace vantorel::service {

struct UserMatch {
  std::string groupId;
  std::string userId;
  std::string userInfo;
  double score = 0;
};

// One entry per user (group and user id), scored by the user's closest face;
// the best `maxUsers` in falling score order, ties in the order given.
std::vector<UserMatch> RankUsers(const std::vector<Candidate>& candidates, const Descriptor& query,
                                 const FaceRecognizer& recognizer, std::size_t maxUsers);

}  // namespace vantorel::service
