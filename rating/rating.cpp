#include "rating/rating.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include <boost/lexical_cast.hpp>

#include "app/decimal_text.h"
#include "app/machine_info.h"
#include "probe/probe_summary.h"
#include "rating/rating_words.h"
#include "rating/score_table.h"

namespace {

constexpr int kTierCount = 5;
constexpr std::array<std::int32_t, kTierCount> kGraphicsThresholds = {12000, 2500, 1200, 900, 0};
constexpr std::array<std::int32_t, kTierCount> kProcessorThresholds = {10256, 1900, 1200, 500, 0};
constexpr std::array<std::uint64_t, kTierCount> kMemoryThresholds = {4026531840ULL, 4026531840ULL,
                                                                      2080374784ULL, 1073741824ULL, 0};
constexpr std::array<int, kTierCount> kBonusLow = {341, 251, 151, 0, 0};
constexpr std::array<int, kTierCount> kBonusHigh = {350, 340, 250, 0, 0};
// Highest graphics score times highest processor score of the original
// tables: the upper end of tier 0.
constexpr std::int64_t kTopProduct = 152068000;

template <typename T>
int TierOf(T value, const std::array<T, kTierCount>& thresholds) {
  for (int tier = 0; tier < kTierCount; ++tier) {
    if (value >= thresholds[tier]) return tier;
  }
  return kTierCount - 1;
}

std::uint64_t MemoryBytes(const std::string& text) {
  // Strict: decimal digits with an optional sign; "-" negates modulo 2^64.
  std::uint64_t bytes = 0;
  return boost::conversion::try_lexical_convert(text, bytes) ? bytes : 0;
}

void AddDeviceWord(std::string& list, const char* word) {
  if (!list.empty()) list += kDeviceWordSeparator;
  list += word;
}

double ThresholdProduct(int tier) {
  return static_cast<double>(static_cast<std::int64_t>(kProcessorThresholds[tier]) * kGraphicsThresholds[tier]);
}

}  // namespace

int ComputeGainExtra(std::int32_t graphics_score, int tier, std::int32_t processor_score) {
  // The product is taken in 64 bits: current devices score far above the
  // original tables, and their product would overflow 32 bits.
  double product = static_cast<double>(static_cast<std::int64_t>(graphics_score) * processor_score);
  double s = std::sqrt(product);
  double lower = std::sqrt(ThresholdProduct(tier));
  double upper = std::sqrt(tier == 0 ? static_cast<double>(kTopProduct) : ThresholdProduct(tier - 1));
  double f = (s - lower) / (upper - lower);
  if (f < 0) f = 0;
  if (f > 1) f = 1;
  int bonus = static_cast<int>(kBonusLow[tier] + (kBonusHigh[tier] - kBonusLow[tier]) * f);
  if (bonus == 0) bonus = std::rand() % 50 + 1;
  return bonus;
}

MachineRating RateScores(std::int32_t processor_score, std::int32_t graphics_score, std::uint64_t memory_bytes) {
  const int g = TierOf(graphics_score, kGraphicsThresholds);
  const int p = TierOf(processor_score, kProcessorThresholds);
  const int m = TierOf(memory_bytes, kMemoryThresholds);
  MachineRating rating;
  rating.low_devices = {g >= 3, p >= 3, m >= 3};
  rating.out_devices = {graphics_score == 0, processor_score == 0, false};
  if (graphics_score != 0 && processor_score != 0) {
    const int tier = std::max({g, p, m});
    rating.level = tier + 1;
    rating.gain_extra = ComputeGainExtra(graphics_score, tier, processor_score);
    rating.gain = rating.gain_extra + 500;
  }
  return rating;
}

std::string DeviceWords(const DeviceFlags& devices) {
  std::string words;
  if (devices.graphics) AddDeviceWord(words, kGraphicsWord);
  if (devices.processor) AddDeviceWord(words, kProcessorWord);
  if (devices.memory) AddDeviceWord(words, kMemoryWord);
  return words;
}

void StoreRating(MachineInfoRecord& info, const MachineRating& rating) {
  info["LowDevices"] = DeviceWords(rating.low_devices);
  info["OutDevices"] = DeviceWords(rating.out_devices);
  AssignDecimal(info["Level"], rating.level);
  AssignDecimal(info["GainExtra"], rating.gain_extra);
  AssignDecimal(info["Gain"], rating.gain);
}

void RateRecord(MachineInfoRecord& info) {
  const std::int32_t processor_score = CpuTable().Score(info["CPU"]);
  const std::int32_t graphics_score = GpuTable().Score(info["GPU"]);
  StoreRating(info, RateScores(processor_score, graphics_score, MemoryBytes(info["RAM Bytes"])));
}

void RateMachine() {
  // An empty record means nothing has described a machine yet: this one.
  if (MachineInfo().Size() == 0) ProbeSummary();
  RateRecord(MachineInfo());
}
