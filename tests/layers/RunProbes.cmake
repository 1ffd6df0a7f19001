# Compiles each layer probe with the compile command the build gives it and
# checks its verdict: "fails" must stop at the probe's own include, with the
# header not found or with the stand-in of a header the library is kept out
# of (morvelin_keep_out) saying so; "builds" must compile. Then scans the
# sources for the spellings of a Qt include that the build cannot catch.
string(REPLACE "," ";" CASES "${CASES}")
# The compiler's messages untranslated, whatever the user's language.
set(ENV{LC_ALL} C)
unset(ENV{LANGUAGE})
file(READ "${COMMANDS}" _commands)
string(JSON _count LENGTH "${_commands}")
math(EXPR _last "${_count} - 1")

set(_wrong 0)
foreach(_case IN LISTS CASES)
  string(REPLACE "|" ";" _case "${_case}")
  list(GET _case 0 _source)
  list(GET _case 1 _header)
  list(GET _case 2 _verdict)

  set(_command "")
  foreach(_i RANGE ${_last})
    string(JSON _file GET "${_commands}" ${_i} file)
    if(_file STREQUAL _source)
      string(JSON _command GET "${_commands}" ${_i} command)
      string(JSON _directory GET "${_commands}" ${_i} directory)
      break()
    endif()
  endforeach()
  if(_command STREQUAL "")
    message(FATAL_ERROR "no compile command for ${_source}")
  endif()
  # Syntax only: nothing is written into the build tree.
  separate_arguments(_command UNIX_COMMAND "${_command} -fsyntax-only")
  list(FIND _command "-o" _o)
  if(_o GREATER -1)
    math(EXPR _object "${_o} + 1")
    list(REMOVE_AT _command ${_o} ${_object})
  endif()
  execute_process(COMMAND ${_command} WORKING_DIRECTORY "${_directory}"
                  RESULT_VARIABLE _rc OUTPUT_VARIABLE _out ERROR_VARIABLE _out)
  get_filename_component(_probe "${_source}" NAME_WE)
  get_filename_component(_probe_file "${_source}" NAME)
  # Stopped at the probe's one include: the fatal error is on its first line
  # and names the header, or the first error is the stand-in's, included
  # right from that line, and names the header as kept out.
  set(_not_found FALSE)
  string(REGEX MATCHALL "[^\n]*fatal error[^\n]*" _fatal "${_out}")
  foreach(_line IN LISTS _fatal)
    string(FIND "${_line}" "${_probe_file}:1:" _at_include)
    string(FIND "${_line}" "${_header}" _names_header)
    if(_at_include GREATER -1 AND _names_header GREATER -1)
      set(_not_found TRUE)
    endif()
  endforeach()
  set(_kept_out FALSE)
  string(REGEX MATCH "In file included from [^\n]*\n[^\n]* error: [^\n]*" _first_stop "${_out}")
  string(FIND "${_first_stop}" "${_probe_file}:1:\n" _at_include)
  string(FIND "${_first_stop}" "\"${_header} is kept out of " _names_header)
  if(_at_include GREATER -1 AND _names_header GREATER -1)
    set(_kept_out TRUE)
  endif()
  if(_verdict STREQUAL "fails" AND (_rc EQUAL 0 OR NOT (_not_found OR _kept_out)))
    message("${_probe}: ${_header} should not be reached, but:\n${_out}")
    math(EXPR _wrong "${_wrong} + 1")
  elseif(_verdict STREQUAL "builds" AND NOT _rc EQUAL 0)
    message("${_probe}: ${_header} should build, but:\n${_out}")
    math(EXPR _wrong "${_wrong} + 1")
  else()
    message("${_probe}: ${_header} ${_verdict}, as it should")
  endif()
endforeach()

# The include lines of a folder's own sources that match `regex`, each as
# "path:line: text" (an include line holds no ";").
function(_include_lines_matching folder regex out)
  set(_found)
  file(GLOB _files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(_file IN LISTS _files)
    file(STRINGS "${_file}" _lines)
    set(_line_number 0)
    foreach(_line IN LISTS _lines)
      math(EXPR _line_number "${_line_number} + 1")
      if(_line MATCHES "${regex}")
        file(RELATIVE_PATH _shown "${SOURCE_DIR}" "${_file}")
        list(APPEND _found "${_shown}:${_line_number}: ${_line}")
      endif()
    endforeach()
  endforeach()
  set(${out} "${_found}" PARENT_SCOPE)
endfunction()

# Qt's root include folder comes with Qt Core, so `<QtWidgets/QWidget>` would
# still be found below ui/: no folder below it may name a Qt module that way.
set(_modules_below_ui "calendar|QtGui|QtWidgets|QtPrintSupport"
                      "platform|QtWidgets|QtPrintSupport"
                      "core|QtWidgets|QtPrintSupport"
                      "sheet|QtWidgets|QtPrintSupport")
foreach(_rule IN LISTS _modules_below_ui)
  string(REPLACE "|" ";" _rule "${_rule}")
  list(POP_FRONT _rule _folder)
  list(JOIN _rule "|" _forbidden)
  set(_pattern "^[ \t]*#[ \t]*include[ \t]*<(${_forbidden})/")
  _include_lines_matching("${_folder}" "${_pattern}" _hits)
  foreach(_hit IN LISTS _hits)
    string(REGEX MATCH "^[^:]*:[0-9]+: (.*)$" _ignored "${_hit}")
    string(REGEX MATCH "${_pattern}" _ignored "${CMAKE_MATCH_1}")
    set(_module "${CMAKE_MATCH_1}")
    # QtWidgets is allowed in platform's own sources, which link it privately.
    if(NOT (_folder STREQUAL "platform" AND _hit MATCHES "^[^:]*\\.cpp:" AND _module STREQUAL "QtWidgets"))
      message("${_hit} (${_folder}/ may not include ${_module})")
      math(EXPR _wrong "${_wrong} + 1")
    endif()
  endforeach()
endforeach()

# The stand-ins of the Qt headers a folder is kept out of stop the class
# names (<QFile>, <QtCore/QFile>); the file names, which Qt's own headers
# include each other by, the build cannot stop: no such folder may spell
# them that way (<qfile.h>, <QtCore/qfile.h>).
string(REPLACE "," ";" KEPT_OUT "${KEPT_OUT}")
foreach(_rule IN LISTS KEPT_OUT)
  string(REPLACE "|" ";" _rule "${_rule}")
  list(POP_FRONT _rule _folder)
  list(JOIN _rule "|" _forbidden)
  _include_lines_matching("${_folder}" "^[ \t]*#[ \t]*include[ \t]*[<\"]([A-Za-z]+/)?(${_forbidden})\\.h[>\"]" _hits)
  foreach(_hit IN LISTS _hits)
    message("${_hit} (${_folder}/ is kept out of that header)")
    math(EXPR _wrong "${_wrong} + 1")
  endforeach()
endforeach()

if(_wrong GREATER 0)
  message(FATAL_ERROR "${_wrong} layer check(s) failed")
endif()
