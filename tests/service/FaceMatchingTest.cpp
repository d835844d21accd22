#include <gtest/gtest.h>

#include "service/FaceMatching.h"

namespace vantorel::service {
namespace {

// Scores are the distance itself turned round, so a test can read them.
class DistanceScorer : public FaceRecognizer {
 public:
  FaceDescription Describe(const Bytes&, QualityControl) const override { return {}; }
  double Distance(const Descriptor&, const Descriptor&) const override { return 0; }
  double Score(double distance) const override { return 100 - distance; }
  double SameFaceDistance() const override { return 0; }
};

// Faces on a line: each is one float, its distance from a query at 0.
RegisteredFaces FacesAt(const std::vector<std::pair<std::size_t, float>>& ownerAndPlace, std::size_t users) {
  RegisteredFaces faces;
  for (std::size_t user = 0; user < users; ++user) faces.users.push_back({"g", "user" + std::to_string(user), ""});
  for (const auto& [owner, place] : ownerAndPlace) {
    faces.userOfFace.push_back(owner);
    faces.descriptors.push_back(place);
  }
  return faces;
}

std::vector<std::pair<std::string, double>> Ranked(const RegisteredFaces& faces, std::size_t maxUsers) {
  std::vector<std::pair<std::string, double>> ranked;
  for (const UserMatch& match : RankUsers(faces, {0.0f}, DistanceScorer(), maxUsers))
    ranked.emplace_back(match.userId, match.score);
  return ranked;
}

using Ranking = std::vector<std::pair<std::string, double>>;

TEST(RankUsers, EachUserCountsWithTheirClosestFaceBestFirst) {
  const RegisteredFaces faces = FacesAt({{0, 9}, {1, 5}, {0, 2}, {2, 7}, {1, 3}}, 3);
  EXPECT_EQ(Ranked(faces, 5), (Ranking{{"user0", 98}, {"user1", 97}, {"user2", 93}}));
  EXPECT_EQ(Ranked(faces, 2), (Ranking{{"user0", 98}, {"user1", 97}}));
}

TEST(RankUsers, UsersWithAFullSetOfFacesDoNotHideTheOthers) {
  std::vector<std::pair<std::size_t, float>> places;
  for (int face = 0; face < kMaxFacesPerUser; ++face) {
    places.emplace_back(0, static_cast<float>(face) / 100);
    places.emplace_back(1, 10 + static_cast<float>(face) / 100);
  }
  places.emplace_back(2, 5);
  const RegisteredFaces faces = FacesAt(places, 3);
  EXPECT_EQ(Ranked(faces, 2), (Ranking{{"user0", 100}, {"user2", 95}}));
  EXPECT_EQ(Ranked(faces, 3), (Ranking{{"user0", 100}, {"user2", 95}, {"user1", 90}}));
}

TEST(RankUsers, EqualDistancesKeepTheOrderGiven) {
  EXPECT_EQ(Ranked(FacesAt({{2, 4}, {0, 4}, {1, 4}}, 3), 3), (Ranking{{"user2", 96}, {"user0", 96}, {"user1", 96}}));
}

}  // namespace
}  // namespace vantorel::service
