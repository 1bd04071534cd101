# The source files of the conversion core, by folder.
set(TW_CORE_SOURCES
  common/failure.cpp
  common/fixed_text.cpp
  platform/files.cpp
  platform/paths.cpp
  app/settings.cpp
  convert/convert_job.cpp
  image/ptc_container.cpp
)

set(TW_PLATFORM_SOURCES_posix
  platform/posix/files_posix.cpp
  platform/posix/md5_posix.cpp
  platform/posix/paths_posix.cpp
  platform/posix/profile_posix.cpp
  platform/posix/profile_text.cpp
)

set(TW_PLATFORM_SOURCES_win32
  platform/win32/files_win32.cpp
  platform/win32/md5_win32.cpp
  platform/win32/paths_win32.cpp
  platform/win32/profile_win32.cpp
)
