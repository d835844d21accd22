#include "service/FaceMatching.h"

#include "service/recognition/DescriptorSearch.h"

namespace vantorel::service {

// No user holds more than kMaxFacesPerUser faces, so the nearest
// maxUsers * kMaxFacesPerUser faces belong to at least maxUsers users when
// there are that many; the first face of a user in that list is their closest.
std::vector<UserMatch> RankUsers(const RegisteredFaces& faces, const Descriptor& query,
                                 const FaceRecognizer& recognizer, std::size_t maxUsers) {
  const std::size_t nearestFaces = maxUsers * static_cast<std::size_t>(kMaxFacesPerUser);
  std::vector<UserMatch> ranked;
  std::vector<bool> isRanked(faces.users.size(), false);
  for (const DescriptorMatch& match : BestMatches(query, faces.descriptors, nearestFaces)) {
    if (ranked.size() == maxUsers) break;
    const std::size_t user = faces.userOfFace[match.index];
    if (isRanked[user]) continue;
    isRanked[user] = true;
    const RegisteredUser& owner = faces.users[user];
    ranked.push_back({owner.groupId, owner.userId, owner.userInfo, recognizer.Score(match.distance)});
  }
  return ranked;
}

}  // namespace vantorel::service
