# Compiles the Windows installer (cmake/windows/installer.nsi) from a staged
# installation tree (the unpacked zip), run with `cmake -P` by the target
# windows-installer:
#
#   -DSTAGE=tree -DWORK=folder -DSCRIPT=installer.nsi -DMAKENSIS=makensis
#   -DVERSION=1.2.3 -DICON=Korvel.ico -DOUTFILE=setup.exe
#   [-DOPTIONS=makensis options before the script, such as -XTarget amd64-unicode]
#
# It lists the tree's files twice into WORK, as the commands that install
# them and as those that remove exactly them again, and keeps makensis's full
# account of what it compiled in WORK/makensis.log (the tests read it).

foreach(setting STAGE WORK SCRIPT MAKENSIS VERSION ICON OUTFILE)
  if(NOT DEFINED ${setting})
    message(FATAL_ERROR "BuildInstaller.cmake needs -D${setting}=...")
  endif()
endforeach()

if(NOT EXISTS ${ICON})
  message(FATAL_ERROR "${ICON} is missing: build the tree before its installer")
endif()

# NSIS reads "$" as the start of a variable.
function(nsis_text text result)
  string(REPLACE "$" "$$" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

# The tree's path below $INSTDIR, with Windows' separators.
function(installed_path relative result)
  string(REPLACE "/" "\\" relative "${relative}")
  nsis_text("${relative}" relative)
  set(${result} "$INSTDIR\\${relative}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
if(NOT files)
  message(FATAL_ERROR "nothing staged in ${STAGE}")
endif()

# Installing: each folder once, then its files.
set(install "")
set(folders "")
set(current_folder "-")
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  if(NOT folder STREQUAL current_folder)
    set(current_folder "${folder}")
    installed_path("${folder}" target)
    string(APPEND install "SetOutPath \"${target}\"\n")
    list(APPEND folders "${folder}")
  endif()
  string(APPEND install "File \"${STAGE}/${file}\"\n") # (a path here, not NSIS text)
endforeach()

# Removing: the files, then their folders and the folders above them, the
# deepest first; RMDir leaves a folder that is not empty.
set(uninstall "")
foreach(file IN LISTS files)
  installed_path("${file}" target)
  string(APPEND uninstall "Delete /REBOOTOK \"${target}\"\n")
endforeach()
set(all_folders "")
foreach(folder IN LISTS folders)
  while(folder)
    list(APPEND all_folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES all_folders)
list(SORT all_folders)
list(REVERSE all_folders) # a folder sorts before the folders inside it
foreach(folder IN LISTS all_folders)
  installed_path("${folder}" target)
  string(APPEND uninstall "RMDir /REBOOTOK \"${target}\"\n")
endforeach()

file(WRITE ${WORK}/install-files.nsh "${install}")
file(WRITE ${WORK}/uninstall-files.nsh "${uninstall}")

execute_process(
  COMMAND ${MAKENSIS} -V4 -INPUTCHARSET UTF8 ${OPTIONS}
    -DVERSION=${VERSION} -DICON=${ICON} -DOUTFILE=${OUTFILE}
    -DINSTALL_FILES=${WORK}/install-files.nsh -DUNINSTALL_FILES=${WORK}/uninstall-files.nsh
    ${SCRIPT}
  OUTPUT_FILE ${WORK}/makensis.log
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(STRINGS ${WORK}/makensis.log log)
  list(LENGTH log lines)
  set(from 0)
  if(lines GREATER 20)
    math(EXPR from "${lines} - 20")
  endif()
  list(SUBLIST log ${from} -1 last)
  list(JOIN last "\n" last)
  message(FATAL_ERROR "makensis failed (all of it in ${WORK}/makensis.log):\n${last}\n${errors}")
endif()
