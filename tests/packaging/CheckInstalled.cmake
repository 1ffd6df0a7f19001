# Lays out the files of resources/ by their install rules into a fresh
# installation root under $TMPDIR (the build folder may be read-only to the
# user running the tests), then checks the one file FILE there with the tool
# for CHECK:
#   man       man --warnings -l under the locale LOCALE: no warning, and the page shows
#   metainfo  appstreamcli validate --no-net
#   tree      appstreamcli validate-tree --no-net over the root: the metainfo
#             finds the desktop entry it names as installed
#   desktop   desktop-file-validate: not a word to say
# A missing tool or locale prints MORVELIN-SKIPPED (the test's skip mark) and why.

function(skip why)
  message("MORVELIN-SKIPPED: ${why}")
  set(skipped TRUE PARENT_SCOPE)
endfunction()

set(skipped FALSE)
set(failure "")

if(CHECK STREQUAL "man")
  set(program man)
  set(package man-db)
elseif(CHECK STREQUAL "metainfo" OR CHECK STREQUAL "tree")
  set(program appstreamcli)
  set(package appstream)
elseif(CHECK STREQUAL "desktop")
  set(program desktop-file-validate)
  set(package desktop-file-utils)
else()
  message(FATAL_ERROR "unknown check '${CHECK}'")
endif()
find_program(tool ${program} NO_CACHE)
if(NOT tool)
  skip("${program} is not installed (Debian package ${package})")
  return()
endif()

# Tools start in the locale asked for, with nothing from the caller's own
# settings that changes what they print.
foreach(var LANGUAGE LC_ALL LC_MESSAGES LC_CTYPE MANOPT MANPAGER PAGER MANROFFOPT MANWIDTH)
  unset(ENV{${var}})
endforeach()
if(LOCALE STREQUAL "-")
  set(ENV{LC_ALL} C)
else()
  set(ENV{LC_ALL} ${LOCALE})
endif()
set(ENV{LANG} $ENV{LC_ALL})
if(NOT LOCALE STREQUAL "C" AND NOT LOCALE STREQUAL "-")
  # A locale the machine lacks would leave the tools in C: the check would
  # not be the one its name says.
  find_program(locale_tool locale NO_CACHE)
  if(NOT locale_tool)
    skip("no locale program to tell whether ${LOCALE} is available")
    return()
  endif()
  execute_process(COMMAND ${locale_tool} charmap OUTPUT_VARIABLE charmap ERROR_VARIABLE complaint
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT complaint STREQUAL "" OR NOT charmap STREQUAL "UTF-8")
    skip("the locale ${LOCALE} is not available here (LOCPATH may name a folder that holds it)")
    return()
  endif()
endif()

set(tmp "$ENV{TMPDIR}")
if(tmp STREQUAL "")
  set(tmp /tmp)
endif()
string(RANDOM LENGTH 12 tag)
set(root "${tmp}/morvelin-packaging-${tag}")
file(MAKE_DIRECTORY "${root}")

execute_process(COMMAND ${CMAKE_COMMAND} -DCMAKE_INSTALL_PREFIX=${root}/usr -P ${INSTALL_SCRIPT}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  set(failure "the install failed (${rc}):\n${out}${err}")
elseif(NOT EXISTS "${root}/${FILE}")
  file(GLOB_RECURSE installed RELATIVE "${root}" "${root}/*")
  string(REPLACE ";" "\n  " installed "${installed}")
  set(failure "nothing is installed at ${FILE}; the install laid out:\n  ${installed}")
else()
  set(path "${root}/${FILE}")
  if(CHECK STREQUAL "man")
    set(ENV{MANWIDTH} 80)
    execute_process(COMMAND ${tool} --warnings -l ${path}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
      set(failure "man --warnings -l ${FILE} under ${LOCALE} exited ${rc}, saying:\n${err}")
    elseif(NOT out MATCHES "morvelin")
      set(failure "man -l ${FILE} under ${LOCALE} shows no page:\n${out}")
    endif()
  elseif(CHECK STREQUAL "metainfo")
    execute_process(COMMAND ${tool} validate --no-net ${path}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      set(failure "appstreamcli validate ${FILE} exited ${rc}:\n${out}${err}")
    endif()
  elseif(CHECK STREQUAL "tree")
    execute_process(COMMAND ${tool} validate-tree --no-net ${root}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      set(failure "appstreamcli validate-tree over the installation exited ${rc}:\n${out}${err}")
    endif()
  elseif(CHECK STREQUAL "desktop")
    execute_process(COMMAND ${tool} ${path}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
      set(failure "desktop-file-validate ${FILE} exited ${rc}:\n${out}${err}")
    endif()
  endif()
endif()

file(REMOVE_RECURSE "${root}")
if(NOT failure STREQUAL "")
  message(FATAL_ERROR "${failure}")
endif()
