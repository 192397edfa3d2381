#pragma once
// The Misc panel: the driver's time-out, the aperture, the frequency range, the reference oscillator
// source, a bus trigger and the abort of the running measurement.

#include "PanelController.h"
#include "PanelDialog.h"
#include "res/ControlIds.h"

#include "framework/MessageMap.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

class CPanelFrame;
struct CValueEntryLimits;

class CMiscController : public CPanelController
{
public:
    CMiscController(const CPanelContext& context, IMeasurement& measurement);

    void CreatePanel(const QPoint& position) override;
    void Refresh(CDialog* pPanel) override;
    IMeasurement& Measurement() const { return m_measurement; }

private:
    IMeasurement& m_measurement; // the Measure panel's, whose cycle Trigger and Meas Abort act on
};

// The panel's dialog (template 120). "Trigger" reports a failure; every other handler lets a session
// failure end it silently (the dispatch drops it), and a refused source radio stays checked until the
// next refresh.
class CMiscDlg : public CPanelDialog
{
public:
    // The ids of the template's controls.
    using EControlId = res::misc::EControlId;
    using enum res::misc::EControlId;

    CMiscDlg(const QPoint& position, CMiscController* pController);
    ~CMiscDlg() override;

    // Enables "Trigger" while a measurement cycle runs, then shows the reference oscillator source. A
    // session failure escapes, after "Trigger" has been set.
    void ReadInstrument();

private:
    static const SMessageEntry<CMiscDlg> s_messageMap[];

    IMeasurement& Measurement() const;

    void OnInitDialog() override;
    void OnTrigger();
    void OnMeasAbort();
    template <int nCtrlId> void OnRoscSource();
    void OnAperture();
    void OnFreqRange();
    void OnMeasTimeout();

    // The value entry dialog over this panel: the text entered, or nothing when it was cancelled.
    std::optional<std::string> AskValue(const std::string& initial, const CValueEntryLimits& limits,
                                        const char* pszTitle);

    std::unique_ptr<CPanelFrame> m_pFrame;
};
