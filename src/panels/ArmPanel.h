#pragma once
// The Arm panel: source, level and slope of the start and the stop arm; locked while a measurement cycle
// of the Measure panel runs or Auto Update Mode is on.

#include "PanelController.h"
#include "PanelDialog.h"
#include "res/ControlIds.h"

#include "framework/MessageMap.h"

#include <array>
#include <memory>
#include <string>

class CPanelFrame;
class CToggleButton;

class CArmController : public CPanelController
{
public:
    CArmController(const CPanelContext& context, const IMeasurement& measurement);

    void CreatePanel(const QPoint& position) override;
    void Refresh(CDialog* pPanel) override;

private:
    bool IsMeasurementRunning() const;

    const IMeasurement& m_measurement; // the Measure panel's, whose cycle locks the arm settings
};

// The arming levels, in the order of each arm's three level radio buttons (MIN, MAX, DEF).
enum EArmLevel
{
    ARM_LEVEL_NONE = -1,
    ARM_LEVEL_MIN = 0,
    ARM_LEVEL_MAX = 1,
    ARM_LEVEL_DEF = 2,
};

// The level a level reply names. The instrument reports its MIN, DEF and MAX levels as -1.3, 0 and 1.6;
// the reply's leading number must equal one of these exactly, any other number names no level.
EArmLevel ArmLevelOfReply(const std::string& reply);

// The source text sent for an item of a source list, by the item's index; null outside the list.
const char* ArmSourceText(int nIndex);

// The panel's dialog (template 119). Its handlers send as soon as a control changes; a session failure
// ends a handler silently (the dispatch drops it), leaving the operator's choice shown.
class CArmDlg : public CPanelDialog
{
public:
    // The ids of the template's controls.
    using EControlId = res::arm::EControlId;
    using enum res::arm::EControlId;

    // The two arms, indices into the panel's per-arm tables.
    enum EArm
    {
        ARM_START = 0,
        ARM_STOP = 1,
    };

    CArmDlg(const QPoint& position, CArmController* pController);
    ~CArmDlg() override;

    // Disables the ten setting controls. Nothing enables them again while this dialog lives.
    void LockSettings();
    // Sources, slopes and levels of both arms from the instrument, in that order. A session failure
    // escapes, leaving what is not read yet as it was.
    void ReadInstrument();

private:
    static const SMessageEntry<CArmDlg> s_messageMap[];

    void OnInitDialog() override;
    template <int nArm> void OnSource();
    template <int nArm> void OnSlope();
    template <int nArm, int nLevel> void OnLevel();

    void ShowSource(int nArm);
    void ShowSlope(int nArm);
    void ShowLevel(int nArm);

    std::unique_ptr<CPanelFrame> m_pFrame;
    std::array<std::unique_ptr<CToggleButton>, 2> m_apSlopes; // start, stop
};
