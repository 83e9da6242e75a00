include(CMakePackageConfigHelpers)

install(TARGETS dedavuz_api hvx EXPORT dedavuz_apiTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/dedavuz_api DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/hvx/include/hvx DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT dedavuz_apiTargets NAMESPACE dedavuz_api::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/dedavuz_api)

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/dedavuz_apiConfig.cmake.in
  ${PROJECT_BINARY_DIR}/dedavuz_apiConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/dedavuz_api)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/dedavuz_apiConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/dedavuz_apiConfig.cmake
              ${PROJECT_BINARY_DIR}/dedavuz_apiConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/dedavuz_api)

configure_file(${PROJECT_SOURCE_DIR}/cmake/dedavuz_api.pc.in
               ${PROJECT_BINARY_DIR}/dedavuz_api.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dedavuz_api.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
