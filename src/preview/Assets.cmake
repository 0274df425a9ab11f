# Makes the preview page's assets into a generated header, on the build host at build time.
#
# Included from the project, it adds the rules; run as a script (cmake -P) by
# those rules, it writes the header. Only host tools run (cmake, and node and
# npm for the world map): a cross build makes the same header.
#
# The page is page/page.html.in with its build-time slots filled in (Leaflet
# from Debian's libjs-leaflet, its CSS images as data: URIs, its licence;
# the base map; the page's CSS and script), then cut at the program's slots
# (@TITLE@, @TILES@, @FEATURES@, @FINDINGS@) into raw string literals of at
# most 60000 bytes each, under what compilers must take in one literal.

if(NOT CMAKE_SCRIPT_MODE_FILE)
  set(TARNEL_LEAFLET_DIR /usr/share/javascript/leaflet CACHE PATH "Leaflet's files (Debian's libjs-leaflet)")
  set(TARNEL_LEAFLET_COPYRIGHT /usr/share/doc/libjs-leaflet/copyright CACHE FILEPATH "Leaflet's licence")
  if(NOT EXISTS ${TARNEL_LEAFLET_DIR}/leaflet.css OR NOT EXISTS ${TARNEL_LEAFLET_COPYRIGHT})
    message(FATAL_ERROR "Leaflet not found for the preview page: apt-get install libjs-leaflet")
  endif()
  set(preview_dir ${CMAKE_CURRENT_LIST_DIR})
  set(generated ${CMAKE_BINARY_DIR}/generated/preview)
  set(base_map "")
  set(base_map_depends "")
  if(TARNEL_WORLD_MAP)
    find_program(TARNEL_NODE node NO_CMAKE_FIND_ROOT_PATH)
    find_program(TARNEL_NPM npm NO_CMAKE_FIND_ROOT_PATH)
    if(NOT TARNEL_NODE OR NOT TARNEL_NPM)
      message(FATAL_ERROR "TARNEL_WORLD_MAP needs node and npm on the build host (apt-get install nodejs npm)")
    endif()
    # npm ci takes the packages at the versions and sha512 sums of the lock file,
    # into the build tree; node turns them into the page's base map.
    set(map_build ${CMAKE_BINARY_DIR}/preview-map)
    set(base_map ${map_build}/basemap.js)
    add_custom_command(
      OUTPUT ${base_map}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${map_build}
      COMMAND ${CMAKE_COMMAND} -E copy ${preview_dir}/map/package.json ${preview_dir}/map/package-lock.json ${map_build}
      COMMAND ${TARNEL_NPM} ci --ignore-scripts --no-audit --no-fund --loglevel=error
      COMMAND ${TARNEL_NODE} ${preview_dir}/map/make-basemap.js ${map_build}/node_modules ${base_map}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/preview-map
      DEPENDS ${preview_dir}/map/package.json ${preview_dir}/map/package-lock.json ${preview_dir}/map/make-basemap.js
      COMMENT "Fetching Natural Earth's countries and making the preview page's base map"
      VERBATIM)
    file(MAKE_DIRECTORY ${map_build})
    set(base_map_depends ${base_map})
  endif()
  add_custom_command(
    OUTPUT ${generated}/PageAssets.h
    COMMAND ${CMAKE_COMMAND} -DLEAFLET_DIR=${TARNEL_LEAFLET_DIR} -DLEAFLET_COPYRIGHT=${TARNEL_LEAFLET_COPYRIGHT}
            -DPAGE_DIR=${preview_dir}/page -DBASE_MAP=${base_map} -DOUTPUT=${generated}/PageAssets.h
            -P ${preview_dir}/Assets.cmake
    DEPENDS ${preview_dir}/Assets.cmake ${preview_dir}/page/page.html.in ${preview_dir}/page/page.css
            ${preview_dir}/page/page.js ${TARNEL_LEAFLET_DIR}/leaflet.css ${TARNEL_LEAFLET_DIR}/leaflet.js
            ${base_map_depends}
    COMMENT "Making the preview page's assets"
    VERBATIM)
  target_sources(tarnel_core PRIVATE ${generated}/PageAssets.h)
  return()
endif()

# Script mode from here on: the header itself, under the project's policies.
cmake_policy(VERSION 3.20)

# The bytes given as hexadecimal digits, as base64.
function(tarnel_base64 hex out)
  set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  string(LENGTH "${hex}" digits)
  set(result "")
  set(at 0)
  while(at LESS digits)
    string(SUBSTRING "${hex}" ${at} 6 group)
    string(LENGTH "${group}" size)
    set(padded "${group}000000")
    string(SUBSTRING "${padded}" 0 6 padded)
    math(EXPR value "0x${padded}")
    foreach(shift 18 12 6 0)
      math(EXPR index "(${value} >> ${shift}) & 63")
      string(SUBSTRING "${alphabet}" ${index} 1 char)
      string(APPEND result "${char}")
    endforeach()
    if(size EQUAL 2)
      string(REGEX REPLACE "..$" "==" result "${result}")
    elseif(size EQUAL 4)
      string(REGEX REPLACE ".$" "=" result "${result}")
    endif()
    math(EXPR at "${at} + 6")
  endwhile()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Leaflet's CSS with its images inline, so that the page needs no other file.
file(READ ${LEAFLET_DIR}/leaflet.css leaflet_css)
string(REGEX MATCHALL "url\\(images/[A-Za-z0-9_.-]+\\.png\\)" image_urls "${leaflet_css}")
list(REMOVE_DUPLICATES image_urls)
foreach(url IN LISTS image_urls)
  string(REGEX REPLACE "^url\\(images/(.*)\\)$" "\\1" image "${url}")
  file(READ ${LEAFLET_DIR}/images/${image} image_hex HEX)
  tarnel_base64("${image_hex}" image_base64)
  string(REPLACE "${url}" "url(data:image/png;base64,${image_base64})" leaflet_css "${leaflet_css}")
endforeach()

# The minified script where Debian ships it, built from the same source.
set(leaflet_js_file ${LEAFLET_DIR}/leaflet.js)
if(EXISTS ${LEAFLET_DIR}/leaflet.min.js)
  set(leaflet_js_file ${LEAFLET_DIR}/leaflet.min.js)
endif()
file(READ ${leaflet_js_file} leaflet_js)
file(READ ${LEAFLET_DIR}/leaflet.js leaflet_full)
string(REGEX MATCH "var version = \"([^\"]+)\"" found "${leaflet_full}")
set(leaflet_version "${CMAKE_MATCH_1}")

# The licence notice: Leaflet's copyright holders and its BSD-2-Clause text,
# as Debian's copyright file gives them.
file(READ ${LEAFLET_COPYRIGHT} copyright)
string(REGEX MATCH "\nFiles: \\*\nCopyright:[^\n]*\n(( [^\n]*\n)+)" found "${copyright}")
set(holders "${CMAKE_MATCH_1}")
string(REGEX MATCH "\nLicense: BSD-2-clause\n(( [^\n]*\n)+)" found "${copyright}")
set(licence "${CMAKE_MATCH_1}")
if(NOT holders OR NOT licence)
  message(FATAL_ERROR "Leaflet's copyright holders or licence not found in ${LEAFLET_COPYRIGHT}")
endif()
string(REGEX REPLACE "\n +" "\n" holders "\n${holders}")
string(REGEX REPLACE "\n \\.?" "\n" licence "\n${licence}")
set(notice "Leaflet ${leaflet_version}, a JS library for interactive maps.\nCopyright (c)${holders}${licence}")
string(REPLACE "*/" "* /" notice "${notice}")

if(BASE_MAP)
  file(READ ${BASE_MAP} base_map)
  set(base_map_notice "; borders and coastlines from Natural Earth (public domain)")
else()
  set(base_map "var tarnelBaseMap = null;")
  set(base_map_notice "; no base map in this build: a graticule every 10 degrees")
endif()
file(READ ${PAGE_DIR}/page.css page_css)
file(READ ${PAGE_DIR}/page.js page_js)
file(READ ${PAGE_DIR}/page.html.in page)

# Cut at the program's slots first, so that no asset's text can make one.
set(delimiter ")tarnel\"")
set(pieces "")
set(count 0)
function(tarnel_add_piece text slot)
  string(LENGTH "${text}" piece_size)
  if(piece_size GREATER 0 OR NOT slot STREQUAL "None")
    string(APPEND pieces "    {R\"tarnel(${text})tarnel\"sv, TSlot::${slot}},\n")
    math(EXPR count "${count} + 1")
  endif()
  set(pieces "${pieces}" PARENT_SCOPE)
  set(count ${count} PARENT_SCOPE)
endfunction()

# One part of the page, its build-time slots filled, as pieces, the last followed by `slot`.
function(tarnel_add_part part slot)
  string(REPLACE "@LEAFLET_CSS@" "${leaflet_css}" part "${part}")
  string(REPLACE "@LEAFLET_JS@" "${leaflet_js}" part "${part}")
  string(REPLACE "@LEAFLET_NOTICE@" "${notice}" part "${part}")
  string(REPLACE "@LEAFLET_VERSION@" "${leaflet_version}" part "${part}")
  string(REPLACE "@BASE_MAP_NOTICE@" "${base_map_notice}" part "${part}")
  string(REPLACE "@BASE_MAP@" "${base_map}" part "${part}")
  string(REPLACE "@PAGE_CSS@" "${page_css}" part "${part}")
  string(REPLACE "@PAGE_JS@" "${page_js}" part "${part}")
  string(FIND "${part}" "${delimiter}" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "The preview page's text holds ${delimiter}, which ends a piece of the header")
  endif()
  string(LENGTH "${part}" size)
  while(size GREATER 60000)
    string(SUBSTRING "${part}" 0 60000 head)
    # Cut after an ASCII byte, never inside a UTF-8 sequence: at a line
    # break where there is one, else at a ; or , of minified script.
    set(cut -1)
    foreach(mark "\n" ";" "," " ")
      if(cut LESS 30000)
        string(FIND "${head}" "${mark}" cut REVERSE)
      endif()
    endforeach()
    if(cut LESS 30000)
      message(FATAL_ERROR "The preview page has 30000 bytes without a place to cut them")
    endif()
    math(EXPR cut "${cut} + 1")
    string(SUBSTRING "${part}" 0 ${cut} head)
    string(SUBSTRING "${part}" ${cut} -1 part)
    tarnel_add_piece("${head}" None)
    string(LENGTH "${part}" size)
  endwhile()
  tarnel_add_piece("${part}" ${slot})
  set(pieces "${pieces}" PARENT_SCOPE)
  set(count ${count} PARENT_SCOPE)
endfunction()

set(rest "${page}")
while(TRUE)
  set(first_slot "")
  set(first_at -1)
  foreach(slot Title Tiles Features Findings)
    string(TOUPPER "@${slot}@" marker)
    string(FIND "${rest}" "${marker}" at)
    if(NOT at EQUAL -1 AND (first_at EQUAL -1 OR at LESS first_at))
      set(first_at ${at})
      set(first_slot ${slot})
      set(first_marker ${marker})
    endif()
  endforeach()
  if(first_at EQUAL -1)
    tarnel_add_part("${rest}" None)
    break()
  endif()
  string(SUBSTRING "${rest}" 0 ${first_at} part)
  tarnel_add_part("${part}" ${first_slot})
  string(LENGTH "${first_marker}" marker_size)
  math(EXPR first_at "${first_at} + ${marker_size}")
  string(SUBSTRING "${rest}" ${first_at} -1 rest)
endwhile()

set(header "// The preview page's text in pieces, made by src/preview/Assets.cmake: do not edit.
#pragma once

#include <string_view>

namespace PageAssets {

using namespace std::string_view_literals;

// What the program writes after a piece.
enum class TSlot { None, Title, Tiles, Features, Findings };

struct TPiece {
  std::string_view Text;
  TSlot Then;
};

inline constexpr TPiece Pieces[${count}] = {
${pieces}};

}  // namespace PageAssets
")
file(WRITE ${OUTPUT} "${header}")
