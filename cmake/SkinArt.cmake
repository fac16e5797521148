# The skins' images and the program's pictures are drawn at build time from their sources by
# skins/render.py, with Debian's Python and its cairo and Pillow modules (python3-cairo,
# python3-pil; scripts/setup.sh installs them). Debian's interpreter is asked for by path: another
# python3 earlier on PATH may not see Debian's modules.
#
#   ORVO_ART_PYTHON    the interpreter
#   ORVO_ART_RENDER    skins/render.py
#   ORVO_ART_SOURCES   every source the drawings come from (a change redraws)

find_program(ORVO_ART_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT ORVO_ART_PYTHON)
    find_program(ORVO_ART_PYTHON NAMES python3 REQUIRED)
endif()
execute_process(COMMAND ${ORVO_ART_PYTHON} -c "import cairo, PIL.Image"
                RESULT_VARIABLE ORVO_ART_MODULES OUTPUT_QUIET ERROR_QUIET)
if(NOT ORVO_ART_MODULES EQUAL 0)
    message(FATAL_ERROR "${ORVO_ART_PYTHON} lacks the cairo or Pillow module, which draw the skins: "
                        "run scripts/setup.sh (Debian packages python3-cairo and python3-pil)")
endif()
set(ORVO_ART_RENDER ${ORVO_ROOT}/skins/render.py)
file(GLOB_RECURSE ORVO_ART_SOURCES CONFIGURE_DEPENDS ${ORVO_ROOT}/skins/*.py)
