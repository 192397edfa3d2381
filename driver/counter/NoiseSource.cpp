#include "NoiseSource.h"

#include <cmath>
#include <numbers>

namespace tarvexsim
{
void CNoiseSource::Reseed()
{
    m_engine.seed(kSeed);
    m_bHasSpare = false;
}

double CNoiseSource::Uniform()
{
    // 53 random bits; adding one keeps zero out, so the logarithm below is finite.
    return (static_cast<double>(m_engine() >> 11) + 1.0) * 0x1.0p-53;
}

double CNoiseSource::Gaussian()
{
    // Box-Muller written out: std::normal_distribution differs between standard libraries.
    if (m_bHasSpare)
    {
        m_bHasSpare = false;
        return m_dSpare;
    }
    const double dRadius = std::sqrt(-2.0 * std::log(Uniform()));
    const double dAngle = 2.0 * std::numbers::pi * Uniform();
    m_dSpare = dRadius * std::sin(dAngle);
    m_bHasSpare = true;
    return dRadius * std::cos(dAngle);
}
} // namespace tarvexsim
