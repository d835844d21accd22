#pragma once
// The registered faces: groups, their users and each user's faces with
// descriptors, kept in the service's database.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "service/Database.h"
#include "service/recognition/FaceRecognizer.h"

namespace vantorel::service {

inline constexpr std::int64_t kMaxFacesPerUser = 20;

struct NewFace {
  std::string groupId;
  std::string userId;
  std::optional<std::string> userInfo;  // absent: an existing user keeps theirs
  std::string faceToken;
  Descriptor descriptor;
  FaceLocation location;
  std::int64_t created = 0;  // seconds since the epoch
};

enum class AddOutcome { Added, AlreadyRegistered, UserFull, StorageFailed };

// A registered user a search can name.
struct RegisteredUser {
  std::string groupId;
  std::string userId;
  std::string userInfo;
};

// The faces a search compares with. Their descriptors lie back to back in one
// array, so that a search scans them in a single pass.
struct RegisteredFaces {
  std::vector<RegisteredUser> users;
  std::vector<std::size_t> userOfFace;  // per face, its owner's index in `users`
  std::vector<float> descriptors;       // one descriptor per face, all of one size
};

class FaceLibrary {
 public:
  explicit FaceLibrary(Database& db) : db_(db) {}

  // Creates the group and the user when new. `isSameFace` tells whether a
  // face the user holds already is this one; the check and the insert are
  // one transaction, so parallel requests cannot both add the same face.
  AddOutcome Add(const NewFace& face, const std::function<bool(const Descriptor&)>& isSameFace);

  // Every face of every user in `groups` whose descriptor has the given size
  // (faces described by another recognizer cannot be compared).
  RegisteredFaces FacesIn(const std::vector<std::string>& groups, std::size_t dimensions);

 private:
  std::optional<std::int64_t> GroupRow(const std::string& name, std::int64_t now);
  std::optional<std::int64_t> UserRow(std::int64_t group, const NewFace& face);
  std::vector<Descriptor> DescriptorsOf(std::int64_t user);
  bool InsertFace(std::int64_t user, const NewFace& face);

  Database& db_;
};

}  // namespace vantorel::service
