#include "platform/vbmath.h"

#include <cmath>
#include <random>
#include <stdexcept>

int Int(double x) { return static_cast<int>(std::floor(x)); }

long CLng(double x) { return static_cast<long>(std::nearbyint(x)); }

int CInt(double x) { return static_cast<int>(CLng(x)); }

std::string Str(long n) {
    std::string s = std::to_string(n);
    return n >= 0 ? " " + s : s;
}

std::string Format(long n, std::string_view pattern) {
    if (n == 0 && (pattern.empty() || pattern.back() != '0')) return "";
    return std::to_string(n);
}

std::string FormatClock(long seconds) {
    if (seconds < 0) seconds = 0;
    long m = seconds / 60, s = seconds % 60;
    return std::to_string(m) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
}

namespace {

class DefaultRandom : public RandomSource {
public:
    float next() override {
        // 24 random bits give every float in [0, 1) on an even grid.
        return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
    }
    void seed(double value) override {
        engine_.seed(static_cast<std::uint32_t>(std::llround(std::fabs(value) * 1000.0)));
    }

private:
    std::mt19937 engine_{12345u};
};

DefaultRandom& defaultRandom() {
    static DefaultRandom r;
    return r;
}

RandomSource* current = nullptr;

RandomSource& source() { return current ? *current : defaultRandom(); }

}  // namespace

float Rnd() { return source().next(); }

void Randomize(double seed) { source().seed(seed); }

void setRandomSource(RandomSource* s) { current = s; }

float ScriptedRandom::next() {
    if (values_.empty()) throw std::logic_error("scripted random source ran out of numbers");
    float v = values_.front();
    values_.pop_front();
    ++draws_;
    return v;
}

void ScriptedRandom::seed(double) { ++seeds_; }
