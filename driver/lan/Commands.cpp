#include "Commands.h"

#include "LanStatus.h"
#include "ScpiWriter.h"

#include <cstring>
#include <vector>

namespace lan
{
namespace
{
std::string_view Text(const char* pszText)
{
    return std::string_view(pszText, strnlen(pszText, TARVEX_BUFFER_SIZE));
}

// A caller's text as a parameter, or the status of the parameter when it cannot be one.
ViStatus AddParameter(const char* pszText, int nParameter, std::vector<std::string>& parameters)
{
    if (!pszText)
        return kNullPointer;
    const auto parameter = scpi::ParameterText(Text(pszText));
    if (!parameter)
        return ParameterError(nParameter);
    parameters.push_back(*parameter);
    return VI_SUCCESS;
}

// The index as a numeric suffix: it cannot be negative.
ViStatus CheckIndex(int nIndex, int nParameter)
{
    return nIndex < 0 ? ParameterError(nParameter) : VI_SUCCESS;
}
} // namespace

ViStatus SettingMessage(const SSettingCall& call, SMessage& message)
{
    const scpi::SCommand* pCommand = scpi::FindCommand(call.eSubsystem, call.nItem, false);
    message.bQuery = pCommand == nullptr;
    if (!pCommand)
        pCommand = scpi::FindCommand(call.eSubsystem, call.nItem, true);
    if (!pCommand)
        return ParameterError(call.nItemParameter);
    if (const ViStatus status = CheckIndex(call.nIndex, call.nIndexParameter); status != VI_SUCCESS)
        return status;
    std::vector<std::string> parameters;
    if (!message.bQuery && pCommand->eArguments != scpi::EArguments::None)
    {
        if (!call.pszText && call.number)
            parameters.push_back(scpi::NumberText(*call.number));
        else if (const ViStatus status = AddParameter(call.pszText, call.nTextParameter, parameters);
                 status != VI_SUCCESS)
            return status;
    }
    message.text = scpi::CommandText(*pCommand, call.nIndex, parameters);
    return VI_SUCCESS;
}

ViStatus ConfigureMessage(int nChannel, int nFunction, const char* const* apszTexts, SMessage& message)
{
    const scpi::SCommand* pCommand = scpi::FindCommand(scpi::EOperation::Configure, nFunction, false);
    if (!pCommand)
        return ParameterError(3);
    if (const ViStatus status = CheckIndex(nChannel, 2); status != VI_SUCCESS)
        return status;
    std::vector<std::string> parameters;
    for (int n = 0; n < 4 && apszTexts; ++n)
        if (const ViStatus status = AddParameter(apszTexts[n], 4 + n, parameters); status != VI_SUCCESS)
            return status;
    message = {scpi::CommandText(*pCommand, nChannel, parameters), false};
    return VI_SUCCESS;
}

ViStatus MeasureMessage(int nChannel, int nFunction, const char* pszExpected, const char* pszResolution,
                        SMessage& message)
{
    const scpi::SCommand* pCommand = scpi::FindCommand(scpi::EOperation::Measure, nFunction, true);
    if (!pCommand)
        return ParameterError(3);
    if (const ViStatus status = CheckIndex(nChannel, 2); status != VI_SUCCESS)
        return status;
    std::vector<std::string> parameters;
    for (const auto& [pszText, nParameter] : {std::pair{pszExpected, 4}, std::pair{pszResolution, 5}})
        if (const ViStatus status = AddParameter(pszText, nParameter, parameters); status != VI_SUCCESS)
            return status;
    message = {scpi::CommandText(*pCommand, nChannel, parameters), true};
    return VI_SUCCESS;
}

ViStatus ChannelMessage(scpi::EOperation eOperation, int nChannel, bool bQuery, SMessage& message)
{
    if (const ViStatus status = CheckIndex(nChannel, 2); status != VI_SUCCESS)
        return status;
    message = {scpi::CommandText(*scpi::FindCommand(eOperation, 0, bQuery), nChannel), bQuery};
    return VI_SUCCESS;
}

ViStatus ContinuousMessage(int nChannel, const char* pszOnOff, SMessage& message)
{
    if (const ViStatus status = CheckIndex(nChannel, 2); status != VI_SUCCESS)
        return status;
    std::vector<std::string> parameters;
    if (const ViStatus status = AddParameter(pszOnOff, 4, parameters); status != VI_SUCCESS)
        return status;
    message = {
        scpi::CommandText(*scpi::FindCommand(scpi::EOperation::Continuous, 0, false), nChannel, parameters),
        false};
    return VI_SUCCESS;
}

std::string InstrumentMessage(scpi::EOperation eOperation, bool bQuery)
{
    return scpi::CommandText(*scpi::FindCommand(eOperation, 0, bQuery), 1);
}
} // namespace lan
