#pragma once

#include <cstdint>
#include <random>

namespace qelvo
{

// The one source of random numbers, uniform in [0, 1). Injectable so that tests
// can script the draws.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    [[nodiscard]] virtual double next() = 0;

    // Int(Rnd * n) + 1: a uniform pick of 1..n (1 when n < 1 would give 1 too).
    [[nodiscard]] int pickOneBased(int n);
};

class Mt19937Random final : public RandomSource
{
public:
    explicit Mt19937Random(std::uint32_t seed) : m_engine(seed) {}
    // Seeded from the system's entropy source.
    Mt19937Random();
    [[nodiscard]] double next() override;

private:
    std::mt19937 m_engine;
};

} // namespace qelvo
