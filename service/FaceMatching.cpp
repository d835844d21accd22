#include "service/FaceMatching.h"

#include <algorithm>
#include <map>
#include <utility>

namespace vantorel::service {

std::vector<UserMatch> RankUsers(const std::vector<Candidate>& candidates, const Descriptor& query,
                                 const FaceRecognizer& recognizer, std::size_t maxUsers) {
  std::vector<UserMatch> users;
  std::map<std::pair<std::string, std::string>, std::size_t> indexOfUser;
  for (const Candidate& candidate : candidates) {
    const double score = recognizer.Score(recognizer.Distance(query, candidate.descriptor));
    const auto [entry, isNew] = indexOfUser.try_emplace({candidate.groupId, candidate.userId}, users.size());
    if (isNew)
      users.push_back({candidate.groupId, candidate.userId, candidate.userInfo, score});
    else
      users[entry->second].score = std::max(users[entry->second].score, score);
  }
  std::stable_sort(users.begin(), users.end(), [](const UserMatch& a, const UserMatch& b) { return a.score > b.score; });
  if (users.size() > maxUsers) users.resize(maxUsers);
  return users;
}

}  // namespace vantorel::service
