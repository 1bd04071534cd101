# The source files of the conversion core, by folder.
set(TW_CORE_SOURCES
  common/failure.cpp
  common/fixed_text.cpp
  platform/files.cpp
  platform/paths.cpp
  app/settings.cpp
  convert/convert_job.cpp
  image/ptc_container.cpp
  image/bmp_image.cpp
  image/chr_convert.cpp
  image/grp_convert.cpp
  image/data_text.cpp
  image/image_outputs.cpp
  convert/bin_convert.cpp
  convert/batch.cpp
  platform/buffered_writer.cpp
  platform/interaction.cpp
  text/char_tables.cpp
  text/text_input.cpp
  text/prg_text.cpp
  text/mem_text.cpp
  text/bgput_parser.cpp
  text/scr_screen.cpp
)

# The command line without its entry point, so tests can drive its commands.
set(TW_CLI_SOURCES
  cli/convert_command.cpp
  cli/cli_options.cpp
  cli/console_interaction.cpp
)

set(TW_PLATFORM_SOURCES_posix
  platform/posix/files_posix.cpp
  platform/posix/md5_posix.cpp
  platform/posix/paths_posix.cpp
  platform/posix/profile_posix.cpp
  platform/posix/profile_text.cpp
  platform/posix/native_text_posix.cpp
  platform/posix/console_posix.cpp
)

set(TW_PLATFORM_SOURCES_win32
  platform/win32/files_win32.cpp
  platform/win32/md5_win32.cpp
  platform/win32/paths_win32.cpp
  platform/win32/profile_win32.cpp
  platform/win32/native_text_win32.cpp
  platform/win32/console_win32.cpp
)
