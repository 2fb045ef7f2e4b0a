# NSIS's builds of the setup, which the bench times against it, install what the setup
# installs and hand over what it hands over: a test where makensis has made them
# (bench/peer), skipped elsewhere.
if(TARGET bench_peers)
  get_target_property(peer_builds bench_peers PEER_BUILDS)
  # Each build's exe, as Wine sees the build machine.
  list(TRANSFORM peer_builds REPLACE "^[^|]*[|]([^|]*)[|].*$" "\"Z:\\1\"")
  list(JOIN peer_builds "," peer_exes)
  add_executable(peer_install_tests PeerInstallTest.cpp)
  target_compile_definitions(peer_install_tests PRIVATE KORVANE_PEER_EXES=${peer_exes})
  target_link_libraries(peer_install_tests PRIVATE korvane_bench gtest_main)
  add_dependencies(peer_install_tests KorvaneSetup CEAppMgr bench_peers)
  add_test(NAME peer_install COMMAND peer_install_tests)
  set_tests_properties(peer_install PROPERTIES ${gtest_verdict})
else()
  add_test(NAME peer_install COMMAND sh -c
    "echo 'peer_install: skipped: makensis is not installed, so NSIS has built no setup'; exit 77")
endif()
# It installs through the setup in the one test prefix, with the Application Manager's
# App Paths entry there, and opens wizards on the display.
set_tests_properties(peer_install PROPERTIES SKIP_RETURN_CODE 77
                     RESOURCE_LOCK "test_prefix_registry;wizard_keyboard")
