# The LAN driver: its resource strings, and the messages it builds read back with the dialect's parser.
tarvex_test_program(lan
  SOURCES lan/CommandBuildingTest.cpp lan/ResourceNameTest.cpp
  LIBRARIES tarvex_lan tarvex_lan_core tarvex_counter GTest::gtest_main)
# The LAN driver and the simulator share a file name: the driver's folder comes first.
set_property(TARGET test_lan PROPERTY BUILD_RPATH "\$ORIGIN/lan")
