# The emulator driven from outside by VISA clients no one here wrote (pyvisa-py, lxi-tools), in private
# network and mount namespaces of the script's own. Included from tests/CMakeLists.txt, whose
# TEST_ENVIRONMENT carries the sanitizers' options to the emulator of the sanitizer build.
add_test(NAME emulator.VisaClients
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/visa-clients.sh $<TARGET_FILE:tarvex-emulator>)
set_tests_properties(emulator.VisaClients PROPERTIES ENVIRONMENT "${TEST_ENVIRONMENT}" TIMEOUT 120)
