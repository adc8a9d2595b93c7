# cmake -DSOURCE_DIR=... -DOUT_DIR=... -DVERSION=x.y.z -P SysvelaVersion.cmake
#
# Run at every build: the version of this build, from the project's version and the commit it is
# built from. A commit tagged vX.Y.Z is the release X.Y.Z; any other commit is X.Y.Z+git.<commit>.
# Without git (a `git archive` export) the commit comes from cmake/archive-commit.txt, which the
# export fills in; failing that the version ends in +unknown.
# The commit's time is SOURCE_DATE_EPOCH (0 when it is not known), unless the environment sets
# one: the linker writes it as the exes' timestamp, so that every build of a commit is the same.
# Writes OUT_DIR/sysvela_version.h, version.txt and source_date_epoch, each only when it changes.
cmake_minimum_required(VERSION 3.25)

set(commit "")
set(epoch "")
set(refs "")
find_program(GIT git)
if(GIT)
    # Only the repository of this very folder counts, not one that happens to enclose it.
    execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} rev-parse --show-toplevel HEAD
                    OUTPUT_VARIABLE out RESULT_VARIABLE rc ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(rc EQUAL 0)
        string(REPLACE "\n" ";" out "${out}")
        list(GET out 0 top)
        list(GET out 1 head)
        file(REAL_PATH "${top}" top)
        file(REAL_PATH "${SOURCE_DIR}" here)
        if(top STREQUAL here)
            set(commit ${head})
            execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} log -1 --format=%ct HEAD
                            OUTPUT_VARIABLE epoch ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
            execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} tag --points-at HEAD
                            OUTPUT_VARIABLE tags ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
            string(REPLACE "\n" ";" tags "${tags}")
            foreach(tag IN LISTS tags)
                string(APPEND refs "tag: ${tag}, ")
            endforeach()
        endif()
    endif()
endif()
if(commit STREQUAL "" AND EXISTS ${SOURCE_DIR}/cmake/archive-commit.txt)
    file(READ ${SOURCE_DIR}/cmake/archive-commit.txt line)
    if(line MATCHES "^([0-9a-f]+) ([0-9]+) ?([^\n]*)")
        set(commit ${CMAKE_MATCH_1})
        set(epoch ${CMAKE_MATCH_2})
        set(refs "${CMAKE_MATCH_3}, ")
    endif()
endif()

if(refs MATCHES "tag: v${VERSION}, ")
    set(text ${VERSION})
elseif(NOT commit STREQUAL "")
    # A fixed length: git's own abbreviation grows with the repository, and differs between clones.
    string(SUBSTRING ${commit} 0 10 short)
    set(text "${VERSION}+git.${short}")
else()
    set(text "${VERSION}+unknown")
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    set(epoch $ENV{SOURCE_DATE_EPOCH})
elseif(NOT epoch MATCHES "^[0-9]+$")
    set(epoch 0)
endif()

string(REPLACE "." ", " numbers "${VERSION}")
set(copyright "")
file(STRINGS ${SOURCE_DIR}/LICENSE lines REGEX "^Copyright ")
list(GET lines 0 copyright)

function(write_if_changed name content)
    file(WRITE ${OUT_DIR}/${name}.tmp "${content}")
    file(COPY_FILE ${OUT_DIR}/${name}.tmp ${OUT_DIR}/${name} ONLY_IF_DIFFERENT)
    file(REMOVE ${OUT_DIR}/${name}.tmp)
endfunction()
write_if_changed(sysvela_version.h "// Made at build time by cmake/SysvelaVersion.cmake.
#define SYSVELA_VERSION_TEXT \"${text}\"
#define SYSVELA_VERSION_NUMBERS ${numbers}, 0
#define SYSVELA_COPYRIGHT \"${copyright}\"
")
write_if_changed(version.txt "${text}\n")
write_if_changed(source_date_epoch "${epoch}\n")
