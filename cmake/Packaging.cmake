# The Debian package of both programs: after a Release build, `cpack -G DEB` in the build
# folder (scripts/package.sh does both).
set(CPACK_PACKAGE_NAME ${OXI_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "The OxiView developers")
set(OXI_PACKAGE_MAINTAINER "The OxiView developers <oxiview@example.org>"
    CACHE STRING "Maintainer of the Debian package: name <address>")
set(CPACK_PACKAGE_CONTACT "${OXI_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The package's long description, in lines a terminal of 80 columns shows whole.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "OxiView is the desktop data manager of a portable tissue-oximetry exercise"
  "monitor, a battery device worn on a muscle during exercise that measures the"
  "tissue oxygen saturation (StO2), the changes of oxygenated, deoxygenated and"
  "total haemoglobin and the heart rate."
  ""
  "It downloads the measurements through the monitor's USB serial converter into"
  "a folder store, marks the days with measurements in a month calendar, draws a"
  "measurement as a detail graph with scrolling and a moving average, prints it"
  "on an A4 page and saves it as CSV. Its window speaks Japanese. The command-line"
  "tool oxitool does the same work without the window.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

if(NOT WIN32)
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The shared libraries' packages, found by dpkg-shlibdeps, and what the programs load by
  # name: a Japanese Gothic face for every text drawn, Qt's Japanese texts for its dialogs,
  # and udev for the converter's rule.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "fonts-ipafont-gothic | fonts-japanese-gothic, qt6-translations-l10n, udev")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  # Debian's layout of the staged files (udev rule, compressed manuals, changelog).
  set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebStaging.cmake)
  set(CPACK_OXI_RELEASE_DATE ${OXI_RELEASE_DATE})
endif()
include(CPack)
