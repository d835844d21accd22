#pragma once
// Reads a net's weights as the tfjs layers format stores them: a
// "<net>-weights_manifest.json" naming each tensor's shape and encoding, and
// the binary files it lists, concatenated in manifest order.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vantorel::service {

struct WeightTensor {
  std::vector<int> shape;
  std::vector<float> values;  // row-major in `shape`
};

class TensorWeights {
 public:
  // Nothing when a file is missing, unreadable, malformed or too short.
  static std::optional<TensorWeights> Load(const std::string& modelDir, const std::string& netName);

  // The tensor called `name` when it exists with exactly `shape`.
  const WeightTensor* Find(const std::string& name, const std::vector<int>& shape) const;

 private:
  std::map<std::string, WeightTensor> tensors_;
};

}  // namespace vantorel::service
