// Face recognition speed: each net alone, a whole photo, and the search
// over many stored descriptors.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <random>

#include "service/recognition/DescriptorSearch.h"
#include "service/recognition/FaceAligner.h"
#include "service/recognition/NeuralFaceRecognizer.h"

namespace vantorel::service {
namespace {

const std::string kModelDir = VANTOREL_FACE_MODEL_DIR;

Bytes ReadSample(const std::string& name) {
  std::ifstream file(std::string(VANTOREL_FACE_SAMPLES_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

RgbImage GrayPicture(int size) {
  return {size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 3, 128)};
}

void BM_DescriptorNet(benchmark::State& state) {
  const auto net = DescriptorNet::Load(kModelDir);
  if (!net) return state.SkipWithError("no weights");
  const RgbImage face = GrayPicture(DescriptorNet::kInputSize);
  for (auto _ : state) benchmark::DoNotOptimize(net->Describe(face));
}
BENCHMARK(BM_DescriptorNet)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LandmarkNet(benchmark::State& state) {
  const auto net = LandmarkNet::Load(kModelDir);
  if (!net) return state.SkipWithError("no weights");
  const RgbImage face = GrayPicture(LandmarkNet::kInputSize);
  for (auto _ : state) benchmark::DoNotOptimize(net->Forward(face));
}
BENCHMARK(BM_LandmarkNet)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DetectorNet(benchmark::State& state) {
  const auto detector = FaceDetector::Load(kModelDir);
  if (!detector) return state.SkipWithError("no weights");
  const RgbImage square = GrayPicture(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(detector->Forward(square));
}
BENCHMARK(BM_DetectorNet)->Arg(608)->Arg(224)->Unit(benchmark::kMillisecond)->UseRealTime();

// Decoding, detection, landmarks, alignment and descriptor of a 1920-pixel
// group photo.
void BM_DescribePhoto(benchmark::State& state) {
  const NeuralFaceRecognizer recognizer(kModelDir);
  const Bytes photo = ReadSample("sample1.jpg");
  if (!recognizer.Loaded() || photo.empty()) return state.SkipWithError("no weights or sample photo");
  for (auto _ : state) benchmark::DoNotOptimize(recognizer.Describe(photo, QualityControl::Normal));
}
BENCHMARK(BM_DescribePhoto)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BestMatches(benchmark::State& state) {
  const std::size_t count = static_cast<std::size_t>(state.range(0));
  std::mt19937 random(7);
  std::normal_distribution<float> value(0.0f, 0.09f);
  std::vector<float> stored(count * DescriptorNet::kDescriptorSize);
  for (float& v : stored) v = value(random);
  std::vector<float> query(DescriptorNet::kDescriptorSize);
  for (float& v : query) v = value(random);
  for (auto _ : state) benchmark::DoNotOptimize(BestMatches(query, stored, 10));
}
BENCHMARK(BM_BestMatches)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace vantorel::service
