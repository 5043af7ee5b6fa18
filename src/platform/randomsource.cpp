#include "platform/randomsource.h"

#include <cmath>

namespace qelvo
{

int RandomSource::pickOneBased(int n)
{
    return static_cast<int>(std::floor(next() * n)) + 1;
}

Mt19937Random::Mt19937Random() : m_engine(std::random_device{}()) {}

double Mt19937Random::next()
{
    // 53 random bits give every double in [0, 1) its chance and never 1.0.
    return std::generate_canonical<double, 53>(m_engine) * (1.0 - 1e-16);
}

} // namespace qelvo
