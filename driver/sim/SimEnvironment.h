#pragma once
// The simulator's settings from the environment (the variables are described where the simulator reads
// them, in Simulator.cpp).

#include <string>
#include <string_view>
#include <vector>

namespace tarvexsim
{
struct SSimSettings
{
    std::vector<std::string> resources;
    int nSlot = 5;
    std::string faults;
    std::string tracePath;
    bool bUnterminated = false;
};

class CSimEnvironment
{
public:
    static constexpr const char* kDefaultResource = "VXI0::24::INSTR";
    static constexpr int kDefaultSlot = 5;

    static SSimSettings Read();
    // "a;b" -> {"a", "b"}: blanks around each text dropped, empty texts skipped.
    static std::vector<std::string> SplitResources(std::string_view list);
};
} // namespace tarvexsim
