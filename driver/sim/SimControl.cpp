// The simulator's control functions for tests (TarvexSim.h): thin wrappers over the simulator, each
// holding its lock.

#include "SimEnvironment.h"
#include "Simulator.h"
#include "TarvexSim.h"

#include <functional>

using namespace tarvexsim;

namespace
{
template <typename TResult> TResult Locked(const std::function<TResult(CSimulator&)>& action)
{
    CSimulator& simulator = CSimulator::Instance();
    std::lock_guard lock(simulator.Mutex());
    return action(simulator);
}

void Locked(const std::function<void(CSimulator&)>& action)
{
    Locked<int>(
        [&](CSimulator& simulator)
        {
            action(simulator);
            return 0;
        });
}

std::string Name(const char* pszName)
{
    return pszName ? pszName : "";
}
} // namespace

extern "C"
{
    TARVEXSIM_EXPORT void tarvexsim_reset(void)
    {
        Locked([](CSimulator& simulator) { simulator.Reset(); });
    }

    TARVEXSIM_EXPORT void tarvexsim_use_manual_clock(int on)
    {
        Locked([&](CSimulator& simulator) { simulator.Clock().UseManual(on != 0); });
    }

    TARVEXSIM_EXPORT void tarvexsim_advance_ms(int64_t milliseconds)
    {
        Locked([&](CSimulator& simulator) { simulator.Clock().AdvanceUs(milliseconds * 1000); });
    }

    TARVEXSIM_EXPORT void tarvexsim_set_resources(const char* const* resources, int count)
    {
        Locked(
            [&](CSimulator& simulator)
            {
                std::vector<std::string> list;
                for (int n = 0; resources && n < count; ++n)
                    if (resources[n])
                        list.emplace_back(resources[n]);
                simulator.Sessions().SetResources(std::move(list));
            });
    }

    TARVEXSIM_EXPORT void tarvexsim_set_slot(int slot)
    {
        Locked([&](CSimulator& simulator) { simulator.Sessions().SetSlot(slot); });
    }

    TARVEXSIM_EXPORT void tarvexsim_set_fault(const char* entryPoint, int32_t status, int count,
                                              const char* errorText)
    {
        Locked(
            [&](CSimulator& simulator)
            {
                if (entryPoint)
                    simulator.Faults().Set(entryPoint, status, count, errorText);
            });
    }

    TARVEXSIM_EXPORT void tarvexsim_clear_faults(void)
    {
        Locked([](CSimulator& simulator) { simulator.Faults().Clear(); });
    }

    TARVEXSIM_EXPORT void tarvexsim_push_error(int32_t code, const char* message)
    {
        Locked([&](CSimulator& simulator) { simulator.Counter().PushError(code, message ? message : ""); });
    }

    TARVEXSIM_EXPORT void tarvexsim_set_reply(const char* entryPoint, int item, const char* text)
    {
        Locked(
            [&](CSimulator& simulator)
            {
                if (entryPoint)
                    simulator.Replies().Set(entryPoint, item, text);
            });
    }

    TARVEXSIM_EXPORT void tarvexsim_set_unterminated_answers(int on)
    {
        Locked([&](CSimulator& simulator) { simulator.SetUnterminated(on != 0); });
    }

    TARVEXSIM_EXPORT int tarvexsim_call_count(void)
    {
        return Locked<int>([](CSimulator& simulator) { return simulator.Log().Count(); });
    }

    TARVEXSIM_EXPORT const char* tarvexsim_call(int index)
    {
        return Locked<const char*>([&](CSimulator& simulator) { return simulator.Log().Line(index); });
    }

    TARVEXSIM_EXPORT void tarvexsim_clear_calls(void)
    {
        Locked([](CSimulator& simulator) { simulator.Log().Clear(); });
    }

    TARVEXSIM_EXPORT void tarvexsim_set_hook(const char* entryPoint, tarvexsim_hook_fn fn, void* context)
    {
        Locked(
            [&](CSimulator& simulator)
            {
                if (entryPoint)
                    simulator.Hooks().Set(entryPoint, fn, context);
            });
    }

    TARVEXSIM_EXPORT void tarvexsim_set_external_arm(int on)
    {
        Locked([&](CSimulator& simulator) { simulator.Counter().SetExternalArm(on != 0); });
    }

    TARVEXSIM_EXPORT const char* tarvexsim_query(const char* entryPoint, int channel, int item)
    {
        return Locked<const char*>([&](CSimulator& simulator)
                                   { return simulator.QuerySetting(Name(entryPoint), channel, item); });
    }
}
