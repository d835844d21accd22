#include "TensorWeights.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include <json/json.h>

namespace vantorel::service {
namespace {

static_assert(std::endian::native == std::endian::little, "weights are stored little-endian");

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::optional<Json::Value> ParseJson(const std::string& text) {
  Json::CharReaderBuilder builder;
  Json::Value root;
  std::string errors;
  std::istringstream stream(text);
  if (!Json::parseFromStream(builder, stream, &root, &errors)) return std::nullopt;
  return root;
}

std::optional<std::vector<int>> ReadShape(const Json::Value& shape) {
  if (!shape.isArray()) return std::nullopt;
  std::vector<int> dims;
  for (const Json::Value& dim : shape) {
    if (!dim.isInt() || dim.asInt() <= 0 || dim.asInt() > (1 << 20)) return std::nullopt;
    dims.push_back(dim.asInt());
  }
  return dims;
}

std::size_t ElementCount(const std::vector<int>& shape) {
  std::size_t count = 1;
  for (int dim : shape) count *= static_cast<std::size_t>(dim);
  return count;
}

// Values are either plain float32, or integers q standing for q * scale + min.
struct Encoding {
  std::size_t bytesPerValue = 4;
  bool quantized = false;
  float scale = 1;
  float min = 0;
};

std::optional<Encoding> ReadEncoding(const Json::Value& weight) {
  if (weight["dtype"].asString() != "float32") return std::nullopt;
  const Json::Value& quantization = weight["quantization"];
  if (quantization.isNull()) return Encoding{};
  const std::string type = quantization["dtype"].asString();
  if (type != "uint8" && type != "uint16") return std::nullopt;
  if (!quantization["scale"].isNumeric() || !quantization["min"].isNumeric()) return std::nullopt;
  return Encoding{type == "uint8" ? 1u : 2u, true, quantization["scale"].asFloat(),
                  quantization["min"].asFloat()};
}

std::vector<float> Decode(const std::uint8_t* data, std::size_t count, const Encoding& encoding) {
  std::vector<float> values(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* at = data + i * encoding.bytesPerValue;
    if (!encoding.quantized) {
      std::memcpy(&values[i], at, sizeof(float));
    } else {
      const unsigned q = encoding.bytesPerValue == 1 ? at[0] : at[0] | (at[1] << 8);
      values[i] = static_cast<float>(q) * encoding.scale + encoding.min;
    }
  }
  return values;
}

}  // namespace

std::optional<TensorWeights> TensorWeights::Load(const std::string& modelDir, const std::string& netName) {
  const auto manifestText = ReadFile(modelDir + "/" + netName + "-weights_manifest.json");
  if (!manifestText) return std::nullopt;
  const auto manifest = ParseJson(*manifestText);
  if (!manifest || !manifest->isArray()) return std::nullopt;

  TensorWeights weights;
  for (const Json::Value& group : *manifest) {
    std::string blob;
    for (const Json::Value& path : group["paths"]) {
      const std::string name = path.asString();
      if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
      const auto part = ReadFile(modelDir + "/" + name);
      if (!part) return std::nullopt;
      blob += *part;
    }
    std::size_t offset = 0;
    for (const Json::Value& weight : group["weights"]) {
      const auto shape = ReadShape(weight["shape"]);
      const auto encoding = ReadEncoding(weight);
      if (!shape || !encoding) return std::nullopt;
      const std::size_t count = ElementCount(*shape);
      const std::size_t bytes = count * encoding->bytesPerValue;
      if (bytes > blob.size() - offset) return std::nullopt;
      const auto* data = reinterpret_cast<const std::uint8_t*>(blob.data()) + offset;
      weights.tensors_[weight["name"].asString()] = {*shape, Decode(data, count, *encoding)};
      offset += bytes;
    }
  }
  return weights;
}

const WeightTensor* TensorWeights::Find(const std::string& name, const std::vector<int>& shape) const {
  const auto found = tensors_.find(name);
  if (found == tensors_.end() || found->second.shape != shape) return nullptr;
  return &found->second;
}

}  // namespace vantorel::service
