# The fifteen callbacks the library exports, each with the bytes its
# arguments take on x86 (the "@N" of a stdcall name). The module-definition
# files are written from this one list.
set(TANDREL_CALLBACKS
  BKC_OnStart@0
  BKC_OnExit@0
  BKC_OnMenuInit@12
  BKC_OnKeyDispatch@12
  BKC_OnOpenFolder@4
  BKC_OnOpenMail@4
  BKC_OnSend@4
  BKC_OnFinishRetrieve@4
  BKC_OnEveryMinute@0
  BKC_OnOpenCompose@8
  BKC_OnOutgoing@8
  BKC_OnRetrieve@8
  BKC_OnPlugInSetup@4
  BKC_OnPlugInInfo@4
  BKC_OnDragDrop@16
)

# Writes the module-definition file OUTPUT for LIBRARY: every callback
# exported under its plain name. The callback named by DECORATED (if any) is
# exported under its decorated name instead, for the test that shows the
# export checks catch such a slip. On x86 a plain export names the stdcall
# symbol ("BKC_OnStart=BKC_OnStart@0"); on x64 there is no decoration, so the
# decorated name is made up ("BKC_OnStart@0=BKC_OnStart").
function(tandrel_write_module_definition output library decorated)
  set(text "; Written by CMake from src/plugin/exports.cmake.\nLIBRARY ${library}\nEXPORTS\n")
  foreach(callback IN LISTS TANDREL_CALLBACKS)
    string(REGEX REPLACE "@[0-9]+$" "" name "${callback}")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      if(name STREQUAL decorated)
        string(APPEND text "    ${callback}\n")
      else()
        string(APPEND text "    ${name}=${callback}\n")
      endif()
    elseif(name STREQUAL decorated)
      string(APPEND text "    ${callback}=${name}\n")
    else()
      string(APPEND text "    ${name}\n")
    endif()
  endforeach()
  # Copied only when it changed, so an unchanged file does not relink.
  file(WRITE "${output}.new" "${text}")
  configure_file("${output}.new" "${output}" COPYONLY)
endfunction()
