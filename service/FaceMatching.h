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

// The `maxUsers` users whose closest face is nearest to `query`, best first,
// each scored by that face; faces at equal distance in the order given.
// The descriptors must have the query's size.
std::vector<UserMatch> RankUsers(const RegisteredFaces& faces, const Descriptor& query,
                                 const FaceRecognizer& recognizer, std::size_t maxUsers);

}  // namespace vantorel::service
