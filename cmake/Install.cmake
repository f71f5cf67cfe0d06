# Where `cmake --install` puts the program, and the Debian package built from the same rules.
# sg-race goes beside the program, whose import window runs it; the scenario runner stays in
# the build folder.
install(TARGETS simple-gagnant sg-race RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/simple-gagnant.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/simple-gagnant.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/simple-gagnant-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME simple-gagnant.png)
# The demonstration race file that the build makes with sg-race; the file dialog's button looks
# for it this way from the program's own folder.
install(FILES ${CMAKE_BINARY_DIR}/demo.tur DESTINATION ${CMAKE_INSTALL_DATADIR}/simple-gagnant)
file(RELATIVE_PATH SG_DATA_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/simple-gagnant)
target_compile_definitions(sg_screens PRIVATE SG_DATA_FROM_PROGRAM="${SG_DATA_FROM_PROGRAM}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME simple-gagnant)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Simple Gagnant")
set(CPACK_PACKAGE_CONTACT "L'équipe Simple Gagnant <simple-gagnant@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "calcul des mises d'un pari simple gagnant sur plusieurs chevaux")
set(CPACK_PACKAGE_DESCRIPTION
    "Simple Gagnant répartit un pari simple gagnant sur un à neuf chevaux d'une même
course, de sorte que le pari rapporte la même somme quel que soit le cheval gagnant
parmi ceux que vous jouez.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_STRIP_FILES ON)
# The Qt libraries (and libcurl, for sg-race) come from the programs' own links; Qt's dialogs
# speak French through the translations package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
include(CPack)
