# The LAN driver: its resource strings, the messages it builds read back with the dialect's parser, and its
# entry points (the shared library itself, linked directly) against the emulator and against fake
# instruments that misbehave. The emulator and the fakes serve 127.0.0.1:5025 and the portmapper's port
# 111, so the program enters a private network namespace of its own before main (support/PrivateNetwork).
tarvex_test_program(lan
  SOURCES lan/AnswerBuffer.h lan/CommandBuildingTest.cpp lan/EmulatorThread.cpp lan/EmulatorThread.h
    lan/FakeInstrument.cpp lan/FakeInstrument.h lan/LanDriverTest.cpp lan/LanFaultTest.cpp
    lan/ResourceNameTest.cpp support/PrivateNetwork.cpp
  LIBRARIES tarvex_lan tarvex_lan_core tarvex_emulator_core tarvex_testenvironment GTest::gtest_main)
# The LAN driver and the simulator share a file name: the driver's folder comes first.
set_property(TARGET test_lan PROPERTY BUILD_RPATH "\$ORIGIN/lan")
