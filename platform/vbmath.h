#pragma once
// The number helpers and the one shared random source. No Qt here, so the
// games' rules can use them.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

// Whole part, rounded down (Int(-2.5) is -3).
int Int(double x);
// Nearest whole number, halves to the even one (2.5 gives 2, 3.5 gives 4).
int CInt(double x);
long CLng(double x);
// The number in decimal, with a leading blank when it is not negative.
std::string Str(long n);
// "#", "##", "#0", "##0", "###0": decimal without leading zeros; 0 shows as ""
// when the pattern is only "#", as "0" when it ends in "0".
std::string Format(long n, std::string_view pattern);
// The clock display "n:ss" (minutes without leading zero, two-digit seconds).
std::string FormatClock(long seconds);

// The shared random source behind Rnd().
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;  // uniform in [0, 1)
    virtual void seed(double value) = 0;
};

// One draw in [0, 1), single precision.
float Rnd();
// Seeds the shared generator.
void Randomize(double seed);

// Replaces the shared generator (for tests); nullptr restores the default one.
void setRandomSource(RandomSource* source);

// A source that returns the given numbers in order, for tests. Drawing past the
// end throws, so a test notices a draw it did not expect.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : values_(values) {}
    void push(float value) { values_.push_back(value); }
    float next() override;
    void seed(double value) override;
    int draws() const { return draws_; }
    int seeds() const { return seeds_; }
    std::size_t remaining() const { return values_.size(); }

private:
    std::deque<float> values_;
    int draws_ = 0;
    int seeds_ = 0;
};

// Installs a scripted source for the lifetime of the guard.
class ScopedRandom {
public:
    explicit ScopedRandom(RandomSource& source) { setRandomSource(&source); }
    ~ScopedRandom() { setRandomSource(nullptr); }
    ScopedRandom(const ScopedRandom&) = delete;
    ScopedRandom& operator=(const ScopedRandom&) = delete;
};
