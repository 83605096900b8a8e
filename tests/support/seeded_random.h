#pragma once
// A seeded source of its own for property runs over many seeds, so they
// neither disturb nor depend on the shared generator.
#include <random>

#include "platform/vbmath.h"

class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(unsigned seed) : engine_(seed) {}
    float next() override { return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f); }
    void seed(double) override {}

private:
    std::mt19937 engine_;
};
