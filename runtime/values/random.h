// The runtime's random numbers: one ISAAC generator (32-bit words, a state
// of 256 words), seeded once at start-up from the clock.
#pragma once

#include "morvane/maths.h"

#include <cstdint>

namespace mvn {

struct IsaacState {
  std::uint32_t resultCount;     // 256 after seeding
  std::uint32_t results[256];    // output words of the latest batch
  std::uint32_t memory[256];     // internal state words
  std::uint32_t accumulatorA;
  std::uint32_t accumulatorB;
  std::uint32_t counterC;
};

// The generator's state.
extern IsaacState randomState;

// Runs one whole batch and returns the first word of its results.
std::uint32_t nextRandom();

// The generator's published steps, on any state.
// One batch: 256 new memory and result words.
void isaacBatch(IsaacState& state);
// The eight-word mix.
void isaacMix(std::uint32_t words[8]);
// The published initialisation from the working words: four mixes, a pass
// adding results, a pass adding memory, then one batch; resultCount 256.
void isaacInitialise(IsaacState& state, std::uint32_t words[8]);

}  // namespace mvn
