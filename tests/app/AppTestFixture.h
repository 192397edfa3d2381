#pragma once
// A fixture that starts the whole program against the simulated counter, as main does, with message boxes
// recorded and the simulator's clock manual, and drives the frame as an operator would: menu commands,
// timer ticks, the modal dialogs through scripts.

#include "app/PanelApp.h"
#include "app/Pframe.h"
#include "framework/MessageService.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class CAppTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The resources the driver's search finds at the next start.
    static void SetResources(std::initializer_list<const char*> resources);

    // Constructs the application (with the libraries from the folder, or along the search path) and runs
    // its start-up.
    CPframe& Start(const std::string& libraryFolder = {});
    CPframe& Frame() const { return *m_pApp->MainWindow(); }

    // Chooses a menu command.
    void Choose(int nCommand) const;
    // One tick of the frame's update timer (any timer id is the frame's tick).
    void Tick() const;
    // The colour of the lamp on the Measure panel, which must be shown.
    COLORREF LampColour() const;

    // The simulator's call log, whole lines, and just the entry point names.
    static std::vector<std::string> Calls();
    static std::vector<std::string> CalledEntryPoints();
    static bool WasCalled(const std::string& lineStart);

    CScopedRecordingMessages m_messages;
    std::unique_ptr<CPanelApp> m_pApp;
};
