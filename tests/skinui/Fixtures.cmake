# The skin fixtures are packed at build time with 7zz, as the shipped skin is:
# skin.7z (solid LZMA2) from fixtures/skin, plus archives for the size limits
# and a stored (uncompressed, one block per file) archive to damage in tests.
set(skinui_fixture_src "${CMAKE_CURRENT_SOURCE_DIR}/skinui/fixtures")
set(skinui_fixture_out "${CMAKE_CURRENT_BINARY_DIR}/skinui-fixtures")
file(GLOB_RECURSE skinui_fixture_files CONFIGURE_DEPENDS "${skinui_fixture_src}/skin/*")
set(skinui_archives
  "${skinui_fixture_out}/skin.7z" "${skinui_fixture_out}/limits.7z" "${skinui_fixture_out}/stored.7z")
add_custom_command(
  OUTPUT ${skinui_archives}
  COMMAND ${CMAKE_COMMAND} -DSRC=${skinui_fixture_src} -DOUT=${skinui_fixture_out}
          -P "${CMAKE_CURRENT_SOURCE_DIR}/skinui/PackFixtures.cmake"
  DEPENDS ${skinui_fixture_files} "${CMAKE_CURRENT_SOURCE_DIR}/skinui/PackFixtures.cmake"
  COMMENT "Packing the skin fixtures")
add_custom_target(skinui_fixtures DEPENDS ${skinui_archives})
add_dependencies(skinui_tests skinui_fixtures)
qm_embed_resource(skinui_tests 147 ZIPRES "${skinui_fixture_out}/skin.7z")
