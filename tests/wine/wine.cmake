# The tests of the Windows build run under Wine (the toolchain file names it as the
# emulator), in a prefix of their own that the fixture test wine.prefix makes first. The
# stand-in converter driver (ftd2xx.dll) is on the prefix's PATH, as the vendor's driver is
# on a Windows machine with the converter installed.
set(OXI_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix CACHE PATH "The Wine prefix of the tests")
set(OXI_WINE_ENVIRONMENT
    WINEPREFIX=${OXI_WINE_PREFIX} WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml="
    "WINEPATH=Z:$<TARGET_FILE_DIR:ftd2xx_standin>")

add_test(NAME wine.prefix COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/prefix.sh ${OXI_WINE_PREFIX})
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

add_library(ftd2xx_standin SHARED ${CMAKE_CURRENT_LIST_DIR}/ftd2xx_standin.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/standin_faults.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/ftd2xx.def)
# In a folder of its own: no program may find it merely by running where it lies.
set_target_properties(ftd2xx_standin PROPERTIES OUTPUT_NAME ftd2xx PREFIX ""
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/ftd2xx-standin)
target_link_libraries(ftd2xx_standin PRIVATE oxi_d2xx)

# A test program runs whole in one Wine process: starting Wine for each of its cases
# would cost half a second each.
function(oxi_wine_test_program name)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600
                                          ENVIRONMENT "${OXI_WINE_ENVIRONMENT}")
endfunction()

# The Linux build's oxitool, which the Windows one is compared with.
set(OXI_LINUX_OXITOOL "" CACHE FILEPATH "oxitool of a Linux build of the same tree")

# A test program that opens windows runs on a virtual X screen of its own. Only one such
# program or script at a time: the prefix's desktop process serves one display.
function(oxi_wine_window_test_program name)
  add_test(NAME ${name} COMMAND xvfb-run -a -s "-screen 0 1280x1024x24"
                                ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600
                                          RESOURCE_LOCK wine_display
                                          ENVIRONMENT "${OXI_WINE_ENVIRONMENT}")
endfunction()

# A script that runs the Windows programs learns the emulator from OXI_EMULATOR.
function(oxi_wine_script_test name)
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${OXI_WINE_ENVIRONMENT}
               OXI_EMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR} OXI_LINUX_TOOL=${OXI_LINUX_OXITOOL})
  set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED wine)
endfunction()
