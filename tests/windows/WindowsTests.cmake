# The tests of the Windows build, which ctest runs under Wine: the core's tests in one start of
# their program (each start of Wine costs time), the text rules' corpus, and sg-race.exe beside
# the Linux sg-race of the Linux build.
add_test(NAME sg_core_tests COMMAND sg_core_tests --gtest_brief=1)
add_subdirectory(fuzz)

set(SG_LINUX_BUILD ${PROJECT_SOURCE_DIR}/build
    CACHE PATH "The Linux build whose sg-race sg-race.exe is compared with")
add_test(NAME sg_race_same_as_linux
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/same-as-linux.sh ${SG_LINUX_BUILD}
        $<TARGET_FILE:sg-race> ${CMAKE_CURRENT_BINARY_DIR}/same-as-linux ${CMAKE_BINARY_DIR}/wine
        ${SG_WINE} ${SG_TEST_DATA})
# A test that waits forever (threads that never meet) fails instead of holding the run.
set_tests_properties(sg_core_tests sg_race_same_as_linux PROPERTIES TIMEOUT 300)
