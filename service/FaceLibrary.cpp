#include "service/FaceLibrary.h"

#include <cstring>

namespace vantorel::service {
namespace {

std::string DescriptorBlob(const Descriptor& descriptor) {
  std::string blob(descriptor.size() * sizeof(float), '\0');
  std::memcpy(blob.data(), descriptor.data(), blob.size());
  return blob;
}

Descriptor DescriptorFromBlob(const std::string& blob) {
  Descriptor descriptor(blob.size() / sizeof(float));
  std::memcpy(descriptor.data(), blob.data(), descriptor.size() * sizeof(float));
  return descriptor;
}

}  // namespace

std::optional<std::int64_t> FaceLibrary::GroupRow(const std::string& name, std::int64_t now) {
  if (!db_.Prepare("INSERT OR IGNORE INTO groups(name, created) VALUES(?, ?)").Bind(1, name).Bind(2, now).Run())
    return std::nullopt;
  auto query = db_.Prepare("SELECT id FROM groups WHERE name = ?");
  query.Bind(1, name);
  if (!query.Step()) return std::nullopt;
  return query.Integer(0);
}

std::optional<std::int64_t> FaceLibrary::UserRow(std::int64_t group, const NewFace& face) {
  if (!db_.Prepare("INSERT OR IGNORE INTO users(group_id, name, info) VALUES(?, ?, ?)")
           .Bind(1, group)
           .Bind(2, face.userId)
           .Bind(3, face.userInfo.value_or(""))
           .Run())
    return std::nullopt;
  auto query = db_.Prepare("SELECT id FROM users WHERE group_id = ? AND name = ?");
  query.Bind(1, group).Bind(2, face.userId);
  if (!query.Step()) return std::nullopt;
  const std::int64_t user = query.Integer(0);
  if (face.userInfo &&
      !db_.Prepare("UPDATE users SET info = ? WHERE id = ?").Bind(1, *face.userInfo).Bind(2, user).Run())
    return std::nullopt;
  return user;
}

std::vector<Descriptor> FaceLibrary::DescriptorsOf(std::int64_t user) {
  auto query = db_.Prepare(
      "SELECT d.vector FROM faces f JOIN descriptors d ON d.face_id = f.id WHERE f.user_id = ? ORDER BY f.id");
  query.Bind(1, user);
  std::vector<Descriptor> descriptors;
  while (query.Step()) descriptors.push_back(DescriptorFromBlob(query.BlobAt(0)));
  return descriptors;
}

bool FaceLibrary::InsertFace(std::int64_t user, const NewFace& face) {
  const FaceLocation& at = face.location;
  const bool inserted =
      db_.Prepare(
             "INSERT INTO faces(user_id, face_token, left, top, width, height, rotation, created) "
             "VALUES(?, ?, ?, ?, ?, ?, ?, ?)")
          .Bind(1, user)
          .Bind(2, face.faceToken)
          .Bind(3, at.left)
          .Bind(4, at.top)
          .Bind(5, at.width)
          .Bind(6, at.height)
          .Bind(7, static_cast<std::int64_t>(at.rotation))
          .Bind(8, face.created)
          .Run();
  if (!inserted) return false;
  const std::string blob = DescriptorBlob(face.descriptor);
  return db_.Prepare("INSERT INTO descriptors(face_id, dimensions, vector) VALUES(?, ?, ?)")
      .Bind(1, db_.LastInsertId())
      .Bind(2, static_cast<std::int64_t>(face.descriptor.size()))
      .BindBlob(3, blob.data(), blob.size())
      .Run();
}

AddOutcome FaceLibrary::Add(const NewFace& face, const std::function<bool(const Descriptor&)>& isSameFace) {
  std::lock_guard lock(db_.mutex());
  Transaction transaction(db_);
  if (!transaction.started()) return AddOutcome::StorageFailed;
  const auto group = GroupRow(face.groupId, face.created);
  const auto user = group ? UserRow(*group, face) : std::nullopt;
  if (!user) return AddOutcome::StorageFailed;
  const std::vector<Descriptor> held = DescriptorsOf(*user);
  for (const Descriptor& descriptor : held)
    if (descriptor.size() == face.descriptor.size() && isSameFace(descriptor)) return AddOutcome::AlreadyRegistered;
  if (static_cast<std::int64_t>(held.size()) >= kMaxFacesPerUser) return AddOutcome::UserFull;
  if (!InsertFace(*user, face) || !transaction.Commit()) return AddOutcome::StorageFailed;
  return AddOutcome::Added;
}

RegisteredFaces FaceLibrary::FacesIn(const std::vector<std::string>& groups, std::size_t dimensions) {
  RegisteredFaces faces;
  std::lock_guard lock(db_.mutex());
  for (const std::string& group : groups) {
    auto rows = db_.Prepare(
        "SELECT u.id, u.name, u.info, d.vector FROM groups g JOIN users u ON u.group_id = g.id "
        "JOIN faces f ON f.user_id = u.id JOIN descriptors d ON d.face_id = f.id "
        "WHERE g.name = ? AND d.dimensions = ? ORDER BY u.id, f.id");
    rows.Bind(1, group).Bind(2, static_cast<std::int64_t>(dimensions));
    std::optional<std::int64_t> previousUser;
    while (rows.Step()) {
      const std::string blob = rows.BlobAt(3);
      if (blob.size() != dimensions * sizeof(float)) continue;
      if (rows.Integer(0) != previousUser) faces.users.push_back({group, rows.TextAt(1), rows.TextAt(2)});
      previousUser = rows.Integer(0);
      faces.userOfFace.push_back(faces.users.size() - 1);
      const std::size_t end = faces.descriptors.size();
      faces.descriptors.resize(end + dimensions);
      std::memcpy(faces.descriptors.data() + end, blob.data(), blob.size());
    }
  }
  return faces;
}

}  // namespace vantorel::service
