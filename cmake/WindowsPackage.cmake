# The Windows download: a zip of the .scr, its data files and a short read-me, made by the
# target windows_zip.
set(DRAVELIN_ZIP ${PROJECT_BINARY_DIR}/dravelin-didazi-${PROJECT_VERSION}-windows.zip)
set(zip_folder ${PROJECT_BINARY_DIR}/zip/dravelin-didazi)
add_custom_command(
    OUTPUT ${DRAVELIN_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_folder}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_folder}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:dravelin-didazi> ${DRAVELIN_DATA_FILES}
            ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${zip_folder}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${DRAVELIN_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/zip
            ${CMAKE_COMMAND} -E tar cf ${DRAVELIN_ZIP} --format=zip dravelin-didazi
    DEPENDS dravelin-didazi dravelin_data ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
    COMMENT "Packing the .scr, its data and its read-me"
    VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${DRAVELIN_ZIP})

# The Windows installer, made with NSIS: target windows_setup.
find_program(DRAVELIN_MAKENSIS makensis REQUIRED)
set(DRAVELIN_SETUP ${PROJECT_BINARY_DIR}/dravelin-didazi-${PROJECT_VERSION}-setup.exe)
set(installer_script ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsi)
add_custom_command(
    OUTPUT ${DRAVELIN_SETUP}
    COMMAND ${DRAVELIN_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
            -DSCR=$<TARGET_FILE:dravelin-didazi> -DDATA_DIR=${DRAVELIN_DATA_DIR}
            -DICON=${DRAVELIN_ICON_DIR}/dravelin-didazi.ico -DOUTFILE=${DRAVELIN_SETUP}
            ${installer_script}
    DEPENDS dravelin-didazi dravelin_data ${installer_script}
    COMMENT "Making the installer"
    VERBATIM)
add_custom_target(windows_setup ALL DEPENDS ${DRAVELIN_SETUP})
