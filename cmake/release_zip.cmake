# Makes the release zip from a built dist folder: the program, the files it opens and
# plays, and a read-me with Windows line ends; never what a run left beside them.
#   cmake -DDIST=<dist folder> -DSOURCE=<source root> -DVERSION=<x.y> -DOUT=<zip> -P release_zip.cmake
cmake_minimum_required(VERSION 3.16)
get_filename_component(out_dir "${OUT}" DIRECTORY)
set(stage "${out_dir}/release-stage")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
foreach(name jumplet.exe help.html launch.wav delete.wav)
  file(COPY "${DIST}/${name}" DESTINATION "${stage}")
endforeach()
file(READ "${SOURCE}/res/readme.txt" readme)
string(REPLACE "@VERSION@" "${VERSION}" readme "${readme}")
string(REPLACE "\r\n" "\n" readme "${readme}")
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE "${stage}/README.txt" "${readme}")
file(REMOVE "${OUT}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${OUT}" --format=zip
                        jumplet.exe help.html launch.wav delete.wav README.txt
                WORKING_DIRECTORY "${stage}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "could not make ${OUT}")
endif()
message(STATUS "Made ${OUT}")
