// Reproducible pseudo-random bits for the tests' sweeps: xorshift64, the
// same sequence from a seed on every machine and compiler.
#pragma once

#include <cstdint>

class TXorShift {
 public:
  explicit TXorShift(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }

 private:
  uint64_t state_;  // never 0: a zero seed would stay zero
};
