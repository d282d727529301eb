# The Windows back end's own tests, and the .scr driven under Wine, each on an X server of its
# own: Wine makes no window without one.
add_executable(win32_platform_tests windows/Win32PlatformTest.cpp)
dravelin_target(win32_platform_tests)
target_link_libraries(win32_platform_tests PRIVATE
    dd_host_win32 dd_test_support_base GTest::gtest_main)
add_test(NAME win32_platform_tests
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/run_on_x.sh
            $<TARGET_FILE:win32_platform_tests>)
set_tests_properties(win32_platform_tests PROPERTIES RUN_SERIAL TRUE
    ENVIRONMENT "${DRAVELIN_WINE_ENVIRONMENT};DRAVELIN_SCR=$<TARGET_FILE:dravelin-didazi>")

add_test(NAME scr_on_the_desktop
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/scr_desktop_test.sh
            $<TARGET_FILE:dravelin-didazi> ${DRAVELIN_DATA_DIR} ${CMAKE_BINARY_DIR}/wineprefix
            ${DRAVELIN_ZIP})
set_tests_properties(scr_on_the_desktop PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)

add_test(NAME installer_on_wine
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/installer_test.sh ${DRAVELIN_SETUP})
set_tests_properties(installer_on_wine PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
