#include "ScpiDevice.h"

#include "ScpiFormat.h"
#include "ScpiValue.h"

#include <algorithm>

namespace emulator
{
namespace
{
using scpi::EOperation;
using tarvexsim::CCounterInstrument;
using tarvexsim::CScpiFormat;
using tarvexsim::CScpiValue;
using tarvexsim::ESubsystem;

ESubsystem SubsystemOf(EOperation eOperation)
{
    switch (eOperation)
    {
    case EOperation::Input:
        return ESubsystem::Input;
    case EOperation::Arm:
        return ESubsystem::Arm;
    case EOperation::Output:
        return ESubsystem::Output;
    default:
        return ESubsystem::Sense;
    }
}

// The parameter at nIndex as the counter reads it; one left out is DEF.
CScpiValue ParameterOrDefault(const scpi::SUnit& unit, size_t nIndex)
{
    return CScpiValue::FromText(nIndex < unit.parameters.size() ? unit.parameters[nIndex] : "DEF");
}
} // namespace

CScpiDevice::CScpiDevice(CCounterInstrument& counter, const SIdentity& identity)
    : m_counter(counter), m_identity(identity)
{
}

void CScpiDevice::Receive(std::string_view message)
{
    if (IsWaiting() || m_parser || !m_responses.empty())
        Interrupt();
    m_parser.emplace(message);
    Continue();
}

void CScpiDevice::Interrupt()
{
    m_wait.reset();
    m_parser.reset();
    m_answers.clear();
    m_responses.clear();
    m_counter.PushError(scpi::kQueryInterrupted);
}

void CScpiDevice::Continue()
{
    if (m_wait)
    {
        if (!Resolve(*m_wait))
            return;
        m_wait.reset();
    }
    while (m_parser)
    {
        scpi::SUnit unit;
        const scpi::SScpiError* pError = nullptr;
        switch (m_parser->Next(unit, pError))
        {
        case scpi::CMessageParser::EResult::Unit:
            if (!Execute(unit))
                return;
            break;
        case scpi::CMessageParser::EResult::Error:
            m_counter.PushError(*pError);
            break;
        case scpi::CMessageParser::EResult::End:
            EndMessage();
            break;
        }
    }
}

void CScpiDevice::EndMessage()
{
    m_parser.reset();
    if (m_answers.empty())
        return;
    for (size_t n = 0; n < m_answers.size(); ++n)
        m_responses += (n == 0 ? "" : ";") + m_answers[n];
    m_responses += '\n';
    m_answers.clear();
}

void CScpiDevice::Answer(std::string text)
{
    m_answers.push_back(std::move(text));
}

bool CScpiDevice::Execute(const scpi::SUnit& unit)
{
    const scpi::SCommand& command = *unit.pCommand;
    const int nChannel = unit.nSuffix;
    std::string text;
    switch (command.eOperation)
    {
    case EOperation::Sense:
    case EOperation::Input:
    case EOperation::Arm:
    case EOperation::Output:
        ExecuteSetting(unit);
        return true;
    case EOperation::Configure:
        m_counter.Configure(nChannel, command.nItem,
                            {ParameterOrDefault(unit, 0), ParameterOrDefault(unit, 1),
                             ParameterOrDefault(unit, 2), ParameterOrDefault(unit, 3)});
        return true;
    case EOperation::ConfigureQuery:
        m_counter.QueryConfiguration(nChannel, text);
        break;
    case EOperation::Measure:
        // A refused configuration reads nothing; its error is in the queue.
        if (!m_counter.Configure(nChannel, command.nItem,
                                 {ParameterOrDefault(unit, 0), ParameterOrDefault(unit, 1),
                                  CScpiValue::FromText("DEF"), CScpiValue::FromText("DEF")}) ||
            !m_counter.StartReading(nChannel))
            return true;
        return Await({EWait::Fetch, nChannel});
    case EOperation::Initiate:
        m_counter.InitiateImmediate(nChannel);
        return true;
    case EOperation::Continuous:
        if (!command.IsQuery())
        {
            m_counter.SetContinuous(nChannel, CScpiValue::FromText(unit.parameters.front()));
            return true;
        }
        m_counter.QueryContinuous(nChannel, text);
        break;
    case EOperation::Read:
        if (!m_counter.StartReading(nChannel))
            return true;
        [[fallthrough]];
    case EOperation::Fetch:
        return Await({EWait::Fetch, nChannel});
    case EOperation::Abort:
        m_counter.Abort(nChannel);
        return true;
    case EOperation::OperationCondition:
        text = CScpiFormat::Integer(m_counter.OperationCondition());
        break;
    case EOperation::ErrorNext:
    {
        const auto entry = m_counter.PopError();
        text = entry ? tarvexsim::CErrorQueue::Format(entry->nCode, entry->text)
                     : tarvexsim::CErrorQueue::Format(0, "No error");
        break;
    }
    case EOperation::Slot:
        if (!m_identity.slot)
        {
            m_counter.PushError(scpi::kHardwareMissing);
            return true;
        }
        text = CScpiFormat::Integer(*m_identity.slot);
        break;
    case EOperation::LogicalAddress:
        text = CScpiFormat::Integer(m_identity.nLogicalAddress);
        break;
    case EOperation::Identify:
        text = m_identity.identification;
        break;
    case EOperation::Reset:
        m_counter.Reset();
        return true;
    case EOperation::ClearStatus:
        m_counter.ClearStatus();
        return true;
    case EOperation::Trigger:
        m_counter.Trigger();
        return true;
    case EOperation::OperationComplete:
        if (!command.IsQuery())
        {
            m_counter.RequestOperationComplete();
            return true;
        }
        return Await({EWait::OperationComplete, 0});
    case EOperation::Wait:
        return Await({EWait::NoOperation, 0});
    case EOperation::EventStatus:
        text = CScpiFormat::Integer(m_counter.TakeEventStatus());
        break;
    case EOperation::EventEnable:
    case EOperation::ServiceEnable:
    {
        const bool bEvent = command.eOperation == EOperation::EventEnable;
        if (command.IsQuery())
        {
            text = CScpiFormat::Integer(bEvent ? m_counter.EventEnable() : m_counter.ServiceEnable());
            break;
        }
        if (const auto mask = MaskParameter(unit.parameters.front()))
            bEvent ? m_counter.SetEventEnable(*mask) : m_counter.SetServiceEnable(*mask);
        return true;
    }
    case EOperation::StatusByte:
        text = CScpiFormat::Integer(StatusByte());
        break;
    case EOperation::SelfTest:
    {
        std::string message;
        const int nResult = m_counter.SelfTest(message);
        if (nResult != 0)
            m_counter.PushError(scpi::kSelfTestFailed.nCode,
                                std::string(scpi::kSelfTestFailed.pszText) + ";" + message);
        text = CScpiFormat::Integer(nResult);
        break;
    }
    }
    // A query the counter refused (a wrong channel) answers nothing; its error is in the queue.
    if (!text.empty())
        Answer(std::move(text));
    return true;
}

void CScpiDevice::ExecuteSetting(const scpi::SUnit& unit)
{
    const scpi::SCommand& command = *unit.pCommand;
    const ESubsystem eSubsystem = SubsystemOf(command.eOperation);
    // The arming settings are the instrument's; the others belong to a channel or a trigger line.
    const int nIndex = eSubsystem == ESubsystem::Arm ? 0 : unit.nSuffix;
    if (command.IsQuery())
    {
        std::string answer;
        m_counter.Query(eSubsystem, nIndex, command.nItem, answer);
        if (!answer.empty())
            Answer(std::move(answer));
        return;
    }
    m_counter.Set(eSubsystem, nIndex, command.nItem,
                  unit.parameters.empty() ? CScpiValue() : CScpiValue::FromText(unit.parameters.front()));
}

std::optional<int> CScpiDevice::MaskParameter(const std::string& text)
{
    const CScpiValue value = CScpiValue::FromText(text);
    if (value.Type() != CScpiValue::EType::Number)
    {
        m_counter.PushError(scpi::kDataTypeError);
        return std::nullopt;
    }
    if (value.Number() < 0 || value.Number() > 255)
    {
        m_counter.PushError(scpi::kDataOutOfRange);
        return std::nullopt;
    }
    return static_cast<int>(value.Number() + 0.5);
}

bool CScpiDevice::Await(const SWait& wait)
{
    if (Resolve(wait))
        return true;
    m_wait = wait;
    return false;
}

bool CScpiDevice::Resolve(const SWait& wait)
{
    switch (wait.eWait)
    {
    case EWait::Fetch:
    {
        std::string reading;
        const CCounterInstrument::EFetch eFetch = m_counter.TryFetch(wait.nChannel, reading);
        if (eFetch == CCounterInstrument::EFetch::Pending)
            return false;
        if (eFetch == CCounterInstrument::EFetch::Ready)
            Answer(std::move(reading));
        return true;
    }
    case EWait::OperationComplete:
    case EWait::NoOperation:
        if (m_counter.OperationCondition() != 0)
            return false;
        if (wait.eWait == EWait::OperationComplete)
            Answer("1");
        return true;
    }
    return true;
}

std::optional<int64_t> CScpiDevice::WakeUpUs()
{
    if (!m_wait)
        return std::nullopt;
    if (m_wait->eWait == EWait::Fetch)
        return m_counter.CompletionUs(m_wait->nChannel);
    std::optional<int64_t> earliest;
    for (int nChannel = 1; nChannel <= tarvexsim::CCounterSettings::kChannelCount; ++nChannel)
    {
        const auto completion = m_counter.CompletionUs(nChannel);
        if (completion && (!earliest || *completion < *earliest))
            earliest = completion;
    }
    return earliest;
}

std::string CScpiDevice::TakeResponses()
{
    std::string responses;
    responses.swap(m_responses);
    return responses;
}

void CScpiDevice::Clear()
{
    if (m_wait && m_wait->eWait == EWait::Fetch)
        m_counter.Abort(m_wait->nChannel);
    m_wait.reset();
    m_parser.reset();
    m_answers.clear();
    m_responses.clear();
    m_counter.DeviceClear();
}

void CScpiDevice::ReportInputOverrun()
{
    m_counter.PushError(scpi::kInputBufferOverrun);
}

int CScpiDevice::StatusByte() const
{
    return m_counter.StatusByte(!m_responses.empty());
}
} // namespace emulator
