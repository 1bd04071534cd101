# Fails when the executable EXE imports a DLL that is not part of Windows.
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
set(system_dlls kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comdlg32.dll
    comctl32.dll winmm.dll shlwapi.dll ole32.dll msvcrt.dll
    oleaut32.dll windowscodecs.dll)
foreach(line IN LISTS lines)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  list(FIND system_dlls "${dll}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${EXE} imports ${dll}, which is not a system DLL")
  endif()
  message(STATUS "imports ${dll}")
endforeach()
