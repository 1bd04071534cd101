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
  extract/input_cursor.cpp
  extract/ptc_walk.cpp
  extract/palettes.cpp
  extract/bmp_output.cpp
  extract/screen_output.cpp
  extract/text_output.cpp
  extract/ptc_extract.cpp
  app/file_dialog.cpp
  app/options_dialog.cpp
  package/package_slots.cpp
  package/package_build.cpp
  package/package_dialog.cpp
)

# The command line without its entry point, so tests can drive its commands.
set(TW_CLI_SOURCES
  cli/convert_command.cpp
  cli/info_command.cpp
  cli/package_command.cpp
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

# The desktop program (Windows only).
set(TW_GUI_SOURCES
  app/win32/gui_main.cpp
  app/win32/main_window.cpp
  app/win32/drop_files.cpp
  app/win32/gui_interaction.cpp
  app/win32/hwnd_controls.cpp
  app/win32/win32_text.cpp
  app/win32/options_dialog_win32.cpp
  app/win32/package_dialog_win32.cpp
  resources/tilewright.rc
)
