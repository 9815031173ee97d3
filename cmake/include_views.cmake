# Each target compiles against a view of the source tree: a folder in the build tree holding links
# to only the folders (or single headers) the target may include. Includes keep their paths from
# the top of the source tree ("pipeline/batch_run.h"), and one that crosses the layers the wrong
# way finds no file, so it fails to compile.
set(TESSALINE_VIEWS ${CMAKE_BINARY_DIR}/include_views)

# What the rest of the project may see of the engine: its public header and what that includes.
set(TESSALINE_ENGINE_FACE engine/joint_scan.h engine/reflow.h engine/word_dictionary.h)

# tessaline_sees(target path...): the target includes from the listed folders and files only,
# each a path from the top of the source tree.
function(tessaline_sees target)
  set(view ${TESSALINE_VIEWS}/${target})
  file(REMOVE_RECURSE ${view})
  foreach(path ${ARGN})
    get_filename_component(parent ${view}/${path} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${path} ${view}/${path} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PRIVATE ${view})
endfunction()

# Tests, benchmarks, fuzz targets and tools look at any part of the project they examine.
function(tessaline_sees_everything target)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
