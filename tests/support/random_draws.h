#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <random>

// Seeded draws that give the same jobs on every run, platform and compiler:
// a seed names one generated job, so a tuned seed keeps its case.
template <typename Engine>
class RandomDraws {
 public:
  template <typename Seed>
  explicit RandomDraws(Seed seed) : engine_(seed) {}

  // 0 to bound - 1.
  int Below(int bound) {
    return static_cast<int>(engine_() % static_cast<typename Engine::result_type>(bound));
  }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool OneIn(int n) { return Between(1, n) == 1; }
  double Pick(std::initializer_list<double> values) {
    return values.begin()[Below(static_cast<int>(values.size()))];
  }
  template <typename T, std::size_t N>
  T Pick(const std::array<T, N>& choices) {
    return choices[Below(static_cast<int>(N))];
  }

 private:
  Engine engine_;
};

// A 64-bit linear congruential generator giving its upper 31 bits.
class Lcg64 {
 public:
  using result_type = std::uint64_t;
  explicit Lcg64(std::uint64_t seed) : state_(seed) {}
  result_type operator()() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return state_ >> 33;
  }

 private:
  std::uint64_t state_;
};

using Sequence = RandomDraws<Lcg64>;
using JobRandom = RandomDraws<std::mt19937>;
