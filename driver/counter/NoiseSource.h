#pragma once
// Deterministic measurement noise: normally distributed values from a seeded generator, the same sequence
// after every reseed on every platform.

#include <cstdint>
#include <random>

namespace tarvexsim
{
class CNoiseSource
{
public:
    CNoiseSource() { Reseed(); }

    void Reseed();
    double Gaussian(); // mean 0, standard deviation 1

private:
    static constexpr uint64_t kSeed = 0x7A5E'C0DE'2024ULL;

    double Uniform(); // in (0, 1]

    std::mt19937_64 m_engine;
    double m_dSpare = 0.0;
    bool m_bHasSpare = false;
};
} // namespace tarvexsim
